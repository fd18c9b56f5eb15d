// Saving and loading a full document: 250 symbols over the four charts, each
// joined to the next by a line with waypoints. Each should take well under 10 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "load_all.h"
#include "quiet_store.h"
#include "save_all.h"

namespace {

using Store = QuietStore;

// Decision, action and flow kinds in turn, placed in a grid.
void FillFullDocument(CFlowObjectManager& store) {
    constexpr int kKinds[] = {Kind::Led,     Kind::SensorLight,  Kind::Wait,   Kind::Switch1,
                              Kind::Sound,   Kind::TimeDecision, Kind::Relay1, Kind::LoopBegin,
                              Kind::LoopEnd, Kind::ClockAlarm};
    for (int chart = 0; chart < kChartCount; ++chart) {
        const int count = chart == 0 ? 64 : 62;
        int previous = store.CreateSymbol(chart, Kind::Start, 0, 0);
        for (int i = 1; i < count; ++i) {
            const int uid =
                store.CreateSymbol(chart, kKinds[i % 10], 144 * (i % 12), 96 * (i / 12) + 96);
            Point from;
            store.Find(previous)->Connectors().PointOf(Connector::Next, from);
            Point to;
            store.Find(uid)->Connectors().PointOf(Connector::In, to);
            store.BeginLine(previous, Connector::Next, from.x, from.y);
            store.AddWaypoint(from.x, from.y + 24);
            store.AddWaypoint(to.x, from.y + 24);
            store.FinishLine(chart, uid, to.x, to.y);
            previous = uid;
        }
    }
}

std::string FullDocumentText() {
    Store source;
    FillFullDocument(source.store);
    return WriteDocument(source.store, {}).value();
}

void BM_WriteDocument(benchmark::State& state) {
    Store source;
    FillFullDocument(source.store);
    for (auto _ : state) benchmark::DoNotOptimize(WriteDocument(source.store, {}));
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond);

// Writing the file itself, flushed to disk before it replaces the old one.
void BM_SaveAll(benchmark::State& state) {
    Store source;
    FillFullDocument(source.store);
    const std::string path =
        (std::filesystem::temp_directory_path() / "qen-file-bench.xml").string();
    for (auto _ : state) benchmark::DoNotOptimize(SaveAll(source.store, path, {}));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond);

void BM_LoadDocument(benchmark::State& state) {
    const std::string text = FullDocumentText();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<Store>();
        ReportData report;
        state.ResumeTiming();
        benchmark::DoNotOptimize(LoadDocument(target->store, text, report, target->messages));
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

}  // namespace
