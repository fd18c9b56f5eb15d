// The chart check of a full document: 250 symbols over the four charts with
// decisions, loops, waits and calls, checked alone, as `qen-cli check FILE`
// in this process (loading included) and as the qen-cli program a teacher
// runs, which should take well under 5 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "qen_cli.h"
#include "quiet_store.h"
#include "save_all.h"
#include "store_check.h"

namespace {

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
            ConnectSymbols(store, previous, Connector::Next, uid);
            if (HasBranchExit(ClassOfKind(store.Find(previous)->KindCode())))
                ConnectSymbols(store, previous, Connector::Branch, uid);
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

// The same as a process of its own: starting qen-cli is most of it.
void BM_CliCheckProcess(benchmark::State& state) {
    QuietStore program;
    FillProgram(program.store);
    const std::string path =
        (std::filesystem::temp_directory_path() / "qen-check-bench-process.xml").string();
    if (!SaveAll(program.store, path, {})) {
        state.SkipWithError("cannot write the document");
        return;
    }
    std::string tool = QEN_CLI_PROGRAM, command = "check", file = path;
    char* argv[] = {tool.data(), command.data(), file.data(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("qen-cli check did not run cleanly");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
    std::filesystem::remove(path);
}
BENCHMARK(BM_CliCheckProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
