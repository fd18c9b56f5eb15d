// Program image build and dragging of a full selection, on a chart of 250
// symbols joined by lines.
#include <benchmark/benchmark.h>

#include "program_image.h"
#include "quiet_store.h"

namespace {

// 250 LED symbols over the four charts, each joined to the next one below it.
struct FullChart : QuietStore {
    FullChart() {
        std::vector<int> previous(kChartCount, 0);
        for (int i = 0; i < 250; ++i) {
            const int chart = i % kChartCount;
            const int row = i / kChartCount;
            const int x = (row % 10) * 168;
            const int y = (row / 10) * 96;
            const int uid = store.CreateSymbol(chart, Kind::Led, x, y);
            if (previous[chart] != 0) Connect(previous[chart], uid);
            previous[chart] = uid;
        }
    }

    void Connect(int from, int to) {
        Point a, b;
        store.Find(from)->Connectors().PointOf(Connector::Next, a);
        store.Find(to)->Connectors().PointOf(Connector::In, b);
        store.BeginLine(from, Connector::Next, a.x, a.y);
        store.AddWaypoint(a.x, a.y + 24);
        store.FinishLine(store.Find(from)->Chart(), to, b.x, b.y);
    }
};

void BM_BuildImage(benchmark::State& state) {
    FullChart chart;
    NuvoProgramManager manager;
    for (auto _ : state) {
        manager.BuildImage(chart.store);
        benchmark::DoNotOptimize(manager.Entries());
    }
}
BENCHMARK(BM_BuildImage)->Unit(benchmark::kMicrosecond);

void BM_MoveSelectionThenValidate(benchmark::State& state) {
    FullChart chart;
    // Everything of all charts selected, as after select-all on each.
    for (const auto& o : chart.store.Objects()) chart.store.Select(o->Uid(), false, 0, 0);
    int step = 0;
    for (auto _ : state) {
        const int offset = (step++ % 2) * 24;
        for (int chartNo = 0; chartNo < kChartCount; ++chartNo)
            chart.store.MoveSelection(chartNo, offset, offset);
        std::vector<int> deleted;
        chart.store.ValidateLines(deleted);
        chart.store.UpdateCoverage();
        benchmark::DoNotOptimize(deleted);
    }
}
BENCHMARK(BM_MoveSelectionThenValidate)->Unit(benchmark::kMicrosecond);

}  // namespace
