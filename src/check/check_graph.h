// The live symbols of the four charts as a graph over program slots, and the
// walks the chart check makes on it.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "chart_check.h"
#include "geometry.h"
#include "symbol_kind.h"

// Program slots are 1..250; successor bytes and slot numbers fit in a byte.
inline constexpr int kSlotLimit = 256;
using SlotMarks = std::array<bool, kSlotLimit>;

class CheckGraph {
public:
    explicit CheckGraph(std::span<const CheckSymbol> symbols);

    std::span<const CheckSymbol> Symbols() const { return symbols_; }
    // The symbol holding slot, or nullptr.
    const CheckSymbol* At(int slot) const;
    // The start symbols of a chart, by slot.
    const std::vector<int>& Starts(int chart) const;
    bool HasStart(int chart) const { return !Starts(chart).empty(); }
    bool HasSymbols(int chart) const;

private:
    std::span<const CheckSymbol> symbols_;
    std::array<int, kSlotLimit> index_;  // slot -> position in symbols_, -1 when free
    std::array<std::vector<int>, kChartCount> starts_;
};

// The symbol an exit of from leads to (slot), when it is in from's own chart.
const CheckSymbol* ExitTarget(const CheckGraph& graph, const CheckSymbol& from, int slot);
SymbolClass ClassOf(const CheckSymbol& symbol);
// The sub chart (1..3) a call symbol calls; 0 for other symbols or numbers.
int CalledChart(const CheckSymbol& symbol);
// A symbol that makes the program wait: a wait of more than 0 seconds or a clock alarm.
bool Waits(const CheckSymbol& symbol);
bool IsDecision(const CheckSymbol& symbol);
// An end symbol set to "戻る".
bool IsReturn(const CheckSymbol& symbol);

// Steps from each symbol to the start of its own chart along lines; -1 for
// the symbols no start of their chart reaches. Indexed by slot.
std::array<int, kSlotLimit> DistanceFromStarts(const CheckGraph& graph);

// What the running program reaches from the main chart's start, following
// calls into the sub charts they call and a parallel run into all three.
struct ProgramReach {
    SlotMarks symbols{};
    std::array<bool, kChartCount> called{};  // a sub chart some reached call or parallel run names
};
ProgramReach ReachFromMain(const CheckGraph& graph);

// Walks the body of the loop that begins at slot, counting nested loop
// begins and ends; marks in ends the loop ends that close it and answers
// whether there is any.
bool FindLoopEnds(const CheckGraph& graph, int loopBegin, SlotMarks& ends);

// Sub charts (1..3) whose run waits or decides: a wait, a clock alarm or a
// decision reached from their start, or a call of a sub chart that does.
std::array<bool, kChartCount> SubChartsThatWait(const CheckGraph& graph,
                                                const std::array<int, kSlotLimit>& distance);

// The cycles among reached symbols that neither wait nor decide, each given
// by the symbol nearest its chart's start, by slot.
std::vector<int> EndlessCycles(const CheckGraph& graph,
                               const std::array<int, kSlotLimit>& distance);
