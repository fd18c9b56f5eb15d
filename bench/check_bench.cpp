// The chart check of a full document: 250 symbols over the four charts with
// decisions, loops, waits and calls, checked alone and as `qen-cli check FILE`
// (loading included), which should take well under 5 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "qen_cli.h"
#include "quiet_store.h"
#include "save_all.h"
#include "store_check.h"

namespace {

void Connect(CFlowObjectManager& store, int from, int connector, int to) {
    Point a, b;
    store.Find(from)->Connectors().PointOf(connector, a);
    store.Find(to)->Connectors().PointOf(Connector::In, b);
    store.BeginLine(from, connector, a.x, a.y);
    store.AddWaypoint(a.x, a.y + 24);
    store.AddWaypoint(b.x, a.y + 24);
    store.FinishLine(store.Find(from)->Chart(), to, b.x, b.y);
}

// Each chart a chain from its start to its end; decisions branch to the next
// symbol too, loops close within the chain and the main chart calls the sub charts.
void FillProgram(CFlowObjectManager& store) {
    constexpr int kKinds[] = {Kind::Led,    Kind::SensorLight, Kind::Wait,    Kind::LoopBegin,
                              Kind::Sound,  Kind::LoopEnd,     Kind::Switch1, Kind::CallSub,
                              Kind::Relay1, Kind::TimeDecision};
    for (int chart = 0; chart < kChartCount; ++chart) {
        const int count = chart == 0 ? 64 : 62;
        int previous = store.CreateSymbol(chart, Kind::Start, 0, 0);
        for (int i = 1; i < count; ++i) {
            int kind = i == count - 1 ? Kind::End : kKinds[i % 10];
            if (kind == Kind::CallSub && chart != 0) kind = Kind::Led;
            const int uid = store.CreateSymbol(chart, kind, 144 * (i % 12), 96 * (i / 12) + 96);
            if (kind == Kind::CallSub) {
                NuvoInstruction call = store.Find(uid)->Instruction();
                call.code[2] = static_cast<std::uint8_t>(1 + (i / 10) % 3);
                store.RestoreInstruction({uid}, call);
            }
            Connect(store, previous, Connector::Next, uid);
            if (HasBranchExit(ClassOfKind(store.Find(previous)->KindCode())))
                Connect(store, previous, Connector::Branch, uid);
            previous = uid;
        }
    }
}

void BM_CheckStore(benchmark::State& state) {
    QuietStore program;
    FillProgram(program.store);
    if (!CheckStore(program.store).empty()) {
        state.SkipWithError("the program is meant to be clean");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(CheckStore(program.store));
}
BENCHMARK(BM_CheckStore)->Unit(benchmark::kMicrosecond);

// The whole command on a saved file: loading, checking and printing.
void BM_CliCheckFile(benchmark::State& state) {
    QuietStore program;
    FillProgram(program.store);
    const std::string path =
        (std::filesystem::temp_directory_path() / "qen-check-bench.xml").string();
    if (!SaveAll(program.store, path, {})) {
        state.SkipWithError("cannot write the document");
        return;
    }
    const std::vector<std::string> arguments = {"check", path};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        benchmark::DoNotOptimize(RunCli(arguments, {out, err}));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_CliCheckFile)->Unit(benchmark::kMillisecond);

}  // namespace
