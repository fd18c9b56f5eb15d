// Painting the work area's canvas: a full repaint of a 250-symbol chart with
// 250 lines, and one frame of dragging all of it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "canvas/canvas_renderer.h"
#include "canvas/drawing_resources.h"
#include "chart_store.h"
#include "nuvo_addr_generator.h"
#include "uid_generator.h"

namespace {

struct SilentNotifier : INotifier {
    void Notify(std::string_view, MessageSeverity) override {}
};

constexpr int kColumns = 10;
constexpr int kRows = 25;
// The drawing area of a 1024 x 768 main window: client less palette,
// information area, tool bar, message area, tabs and scroll bars.
const QRect kArea(0, 24, 710, 592);

// 250 symbols of every shape in one chart, 10 columns of 25, each joined to
// the one below it; the bottom of each column is joined to the top of the
// next one by a line with waypoints: 250 lines.
struct FullChart {
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    SilentNotifier notifier;
    CFlowObjectManager store{uids, slotTable, notifier};
    std::vector<int> grid;

    FullChart() {
        constexpr int kinds[] = {Kind::Led,     Kind::Relay1,       Kind::Sound,
                                 Kind::Wait,    Kind::ClockAlarm,   Kind::SensorLight,
                                 Kind::Switch1, Kind::TimeDecision, Kind::LoopBegin,
                                 Kind::LoopEnd, Kind::CallSub};
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                grid.push_back(store.CreateSymbol(0, kinds[(c * kRows + r) % std::size(kinds)],
                                                  24 + c * 192, 24 + r * 96));
        for (int c = 0; c < kColumns; ++c) {
            for (int r = 0; r + 1 < kRows; ++r) Connect(At(c, r), At(c, r + 1), {});
            const Point exit = PointOf(At(c, kRows - 1), Connector::Next);
            Connect(At(c, kRows - 1), At((c + 1) % kColumns, 0),
                    {{exit.x + 48, exit.y + 24}, {exit.x + 48, 0}});
        }
    }

    int At(int c, int r) const { return grid[static_cast<std::size_t>(c * kRows + r)]; }

    Point PointOf(int uid, int connector) const {
        Point p;
        store.Find(uid)->Connectors().PointOf(connector, p);
        return p;
    }

    void Connect(int from, int to, const std::vector<Point>& waypoints) {
        const Point a = PointOf(from, Connector::Next);
        const Point b = PointOf(to, Connector::In);
        store.BeginLine(from, Connector::Next, a.x, a.y);
        for (const Point& w : waypoints) store.AddWaypoint(w.x, w.y);
        store.FinishLine(0, to, b.x, b.y);
    }
};

void Repaint(QImage& target, const DrawingResources& resources, const CFlowObjectManager& store,
             const QRect& area, int scrollX, int scrollY) {
    QPainter painter(&target);
    NormalView view;
    view.scrollX = scrollX;
    view.scrollY = scrollY;
    RenderNormalView(painter, resources, store, area, view);
}

// The visible part of the sheet, as a frame on screen costs.
void BM_RepaintVisible(benchmark::State& state) {
    FullChart chart;
    const DrawingResources resources;
    QImage target(726, 640, QImage::Format_RGB32);
    for (auto _ : state) Repaint(target, resources, chart.store, kArea, 0, 0);
    state.counters["objects"] = static_cast<double>(chart.store.Objects().size());
}
BENCHMARK(BM_RepaintVisible)->Unit(benchmark::kMillisecond);

// The whole sheet with every object at once: the worst a frame can be.
void BM_RepaintWholeSheet(benchmark::State& state) {
    FullChart chart;
    const DrawingResources resources;
    const QRect sheet(0, 0, kSheetWidth + 1, kSheetHeight + 1);
    QImage target(sheet.size(), QImage::Format_RGB32);
    for (auto _ : state) Repaint(target, resources, chart.store, sheet, 0, 0);
}
BENCHMARK(BM_RepaintWholeSheet)->Unit(benchmark::kMillisecond);

// One frame of dragging all 500 selected objects: move one cell, repaint.
void BM_DragFrame(benchmark::State& state) {
    FullChart chart;
    const DrawingResources resources;
    chart.store.SelectAll(0);
    chart.store.Select(chart.At(0, 0), false, 24, 24);
    QImage target(726, 640, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const int x = 24 + (step++ % 2) * kGrid;
        chart.store.MoveSelection(0, x, 24);
        Repaint(target, resources, chart.store, kArea, 0, 0);
    }
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
