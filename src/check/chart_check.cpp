// The chart check: each rule over the graph of the four charts, turned into
// findings with their sentences.
#include "chart_check.h"

#include <algorithm>
#include <tuple>

#include "check_graph.h"
#include "finding_text.h"

namespace {

class FindingList {
public:
    void Add(FindingKind kind, int chart, const CheckSymbol* symbol) {
        findings_.push_back({kind, chart, symbol ? symbol->slot : 0, symbol ? symbol->uid : 0,
                             FindingText(kind, chart, symbol)});
    }
    std::vector<ChartFinding> Sorted() && {
        std::stable_sort(findings_.begin(), findings_.end(), [](const auto& a, const auto& b) {
            return std::tie(a.chart, a.slot, a.kind) < std::tie(b.chart, b.slot, b.kind);
        });
        return std::move(findings_);
    }

private:
    std::vector<ChartFinding> findings_;
};

// The charts as a whole: a main chart without a start, sub charts that never run.
void CheckChartStarts(const CheckGraph& graph, FindingList& findings) {
    if (!graph.HasStart(0)) {
        // Nothing runs at all; what follows from that is not listed again.
        findings.Add(FindingKind::NoMainStart, 0, nullptr);
        return;
    }
    const ProgramReach program = ReachFromMain(graph);
    for (int chart = 1; chart < kChartCount; ++chart)
        if (graph.HasSymbols(chart) && !program.called[static_cast<std::size_t>(chart)])
            findings.Add(FindingKind::SubNeverCalled, chart, nullptr);
}

// What a symbol that runs does wrong by itself. Loop begins mark the loop ends they reach.
void CheckRunningSymbol(const CheckGraph& graph, const CheckSymbol& symbol, SlotMarks& loopEnds,
                        FindingList& findings) {
    const SymbolClass cls = ClassOf(symbol);
    if (HasNextExit(cls) && !ExitTarget(graph, symbol, symbol.next))
        findings.Add(FindingKind::OpenNextExit, symbol.chart, &symbol);
    if (HasBranchExit(cls) && !ExitTarget(graph, symbol, symbol.branch))
        findings.Add(FindingKind::OpenBranchExit, symbol.chart, &symbol);
    if (const int called = CalledChart(symbol); called && !graph.HasStart(called))
        findings.Add(FindingKind::CallWithoutStart, symbol.chart, &symbol);
    if (cls == SymbolClass::LoopBegin && !FindLoopEnds(graph, symbol.slot, loopEnds))
        findings.Add(FindingKind::LoopBeginWithoutEnd, symbol.chart, &symbol);
    if (symbol.chart == 0 && IsReturn(symbol))
        findings.Add(FindingKind::ReturnInMain, symbol.chart, &symbol);
}

}  // namespace

std::vector<ChartFinding> CheckCharts(std::span<const CheckSymbol> symbols) {
    const CheckGraph graph(symbols);
    const std::array<int, kSlotLimit> distance = DistanceFromStarts(graph);
    const auto runs = [&](const CheckSymbol& s) {
        return distance[static_cast<std::size_t>(s.slot)] >= 0;
    };
    FindingList findings;
    CheckChartStarts(graph, findings);

    SlotMarks loopEnds{};
    std::vector<const CheckSymbol*> running;
    for (const CheckSymbol& symbol : symbols) {
        if (graph.At(symbol.slot) != &symbol) continue;  // no slot of its own
        if (runs(symbol)) {
            running.push_back(&symbol);
            CheckRunningSymbol(graph, symbol, loopEnds, findings);
        } else if (graph.HasStart(symbol.chart)) {
            // In a chart without a start the chart's own finding says it.
            findings.Add(FindingKind::NeverRun, symbol.chart, &symbol);
        }
    }
    for (const CheckSymbol* symbol : running)
        if (ClassOf(*symbol) == SymbolClass::LoopEnd &&
            !loopEnds[static_cast<std::size_t>(symbol->slot)])
            findings.Add(FindingKind::LoopEndWithoutBegin, symbol->chart, symbol);
    for (int slot : EndlessCycles(graph, distance))
        findings.Add(FindingKind::EndlessCycle, graph.At(slot)->chart, graph.At(slot));
    return std::move(findings).Sorted();
}
