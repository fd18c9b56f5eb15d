// The walks of the chart check over the graph of program slots.
#include "check_graph.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace {

constexpr std::uint8_t kReturnOpcode = 0x90;
// Loops nest at most eight deep on the board; deeper walks stop there.
constexpr int kDepthLimit = 9;

// The symbols the exits of a symbol lead to: next first, then branch.
std::vector<const CheckSymbol*> Successors(const CheckGraph& graph, const CheckSymbol& symbol) {
    std::vector<const CheckSymbol*> out;
    const SymbolClass cls = ClassOf(symbol);
    if (HasNextExit(cls))
        if (const CheckSymbol* to = ExitTarget(graph, symbol, symbol.next)) out.push_back(to);
    if (HasBranchExit(cls))
        if (const CheckSymbol* to = ExitTarget(graph, symbol, symbol.branch)) out.push_back(to);
    return out;
}

}  // namespace

CheckGraph::CheckGraph(std::span<const CheckSymbol> symbols) : symbols_(symbols) {
    index_.fill(-1);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const CheckSymbol& symbol = symbols[i];
        if (symbol.slot <= 0 || symbol.slot >= kSlotLimit) continue;
        if (symbol.chart < 0 || symbol.chart >= kChartCount) continue;
        index_[static_cast<std::size_t>(symbol.slot)] = static_cast<int>(i);
        if (ClassOf(symbol) == SymbolClass::Start)
            starts_[static_cast<std::size_t>(symbol.chart)].push_back(symbol.slot);
    }
}

const CheckSymbol* CheckGraph::At(int slot) const {
    if (slot <= 0 || slot >= kSlotLimit) return nullptr;
    const int i = index_[static_cast<std::size_t>(slot)];
    return i < 0 ? nullptr : &symbols_[static_cast<std::size_t>(i)];
}

const std::vector<int>& CheckGraph::Starts(int chart) const {
    return starts_[static_cast<std::size_t>(chart)];
}

bool CheckGraph::HasSymbols(int chart) const {
    return std::any_of(symbols_.begin(), symbols_.end(),
                       [&](const CheckSymbol& s) { return s.chart == chart && At(s.slot) == &s; });
}

const CheckSymbol* ExitTarget(const CheckGraph& graph, const CheckSymbol& from, int slot) {
    const CheckSymbol* to = graph.At(slot);
    return to && to->chart == from.chart ? to : nullptr;
}

SymbolClass ClassOf(const CheckSymbol& symbol) { return ClassOfKind(symbol.kind); }

int CalledChart(const CheckSymbol& symbol) {
    if (ClassOf(symbol) != SymbolClass::CallSub) return 0;
    const int chart = symbol.code[2];
    return chart >= 1 && chart < kChartCount ? chart : 0;
}

// A clock alarm only sets the time the alarm rings at and goes on, so only a
// wait of more than 0 seconds holds the program.
bool Waits(const CheckSymbol& symbol) {
    return ClassOf(symbol) == SymbolClass::Wait && (symbol.code[2] != 0 || symbol.code[3] != 0);
}

bool IsDecision(const CheckSymbol& symbol) { return HasBranchExit(ClassOf(symbol)); }

bool IsReturn(const CheckSymbol& symbol) {
    return ClassOf(symbol) == SymbolClass::End && symbol.code[1] == kReturnOpcode;
}

std::array<int, kSlotLimit> DistanceFromStarts(const CheckGraph& graph) {
    std::array<int, kSlotLimit> distance;
    distance.fill(-1);
    std::deque<const CheckSymbol*> queue;
    for (int chart = 0; chart < kChartCount; ++chart) {
        for (int slot : graph.Starts(chart)) {
            distance[static_cast<std::size_t>(slot)] = 0;
            queue.push_back(graph.At(slot));
        }
    }
    while (!queue.empty()) {
        const CheckSymbol* symbol = queue.front();
        queue.pop_front();
        const int steps = distance[static_cast<std::size_t>(symbol->slot)] + 1;
        for (const CheckSymbol* to : Successors(graph, *symbol)) {
            int& d = distance[static_cast<std::size_t>(to->slot)];
            if (d >= 0) continue;
            d = steps;
            queue.push_back(to);
        }
    }
    return distance;
}

ProgramReach ReachFromMain(const CheckGraph& graph) {
    ProgramReach reach;
    std::vector<const CheckSymbol*> stack;
    const auto visit = [&](const CheckSymbol* symbol) {
        bool& seen = reach.symbols[static_cast<std::size_t>(symbol->slot)];
        if (seen) return;
        seen = true;
        stack.push_back(symbol);
    };
    const auto enterChart = [&](int chart) {
        reach.called[static_cast<std::size_t>(chart)] = true;
        for (int slot : graph.Starts(chart)) visit(graph.At(slot));
    };
    for (int slot : graph.Starts(0)) visit(graph.At(slot));
    while (!stack.empty()) {
        const CheckSymbol* symbol = stack.back();
        stack.pop_back();
        if (const int chart = CalledChart(*symbol)) enterChart(chart);
        if (ClassOf(*symbol) == SymbolClass::Parallel)
            for (int chart = 1; chart < kChartCount; ++chart) enterChart(chart);
        for (const CheckSymbol* to : Successors(graph, *symbol)) visit(to);
    }
    return reach;
}

bool FindLoopEnds(const CheckGraph& graph, int loopBegin, SlotMarks& ends) {
    const CheckSymbol* begin = graph.At(loopBegin);
    if (!begin) return false;
    // A state is a symbol and how many loops opened inside the body are still open there.
    std::vector<std::array<bool, kDepthLimit>> seen(kSlotLimit);
    std::vector<std::pair<const CheckSymbol*, int>> stack;
    const auto visit = [&](const CheckSymbol* symbol, int depth) {
        if (!symbol || depth >= kDepthLimit) return;
        bool& mark = seen[static_cast<std::size_t>(symbol->slot)][static_cast<std::size_t>(depth)];
        if (mark) return;
        mark = true;
        stack.emplace_back(symbol, depth);
    };
    visit(ExitTarget(graph, *begin, begin->next), 0);
    bool found = false;
    while (!stack.empty()) {
        const auto [symbol, depth] = stack.back();
        stack.pop_back();
        switch (ClassOf(*symbol)) {
            case SymbolClass::LoopEnd:
                if (depth == 0) {
                    ends[static_cast<std::size_t>(symbol->slot)] = true;
                    found = true;
                } else {
                    visit(ExitTarget(graph, *symbol, symbol->next), depth - 1);
                }
                break;
            case SymbolClass::LoopBegin:
                visit(ExitTarget(graph, *symbol, symbol->next), depth + 1);
                break;
            default:
                for (const CheckSymbol* to : Successors(graph, *symbol)) visit(to, depth);
                break;
        }
    }
    return found;
}

std::array<bool, kChartCount> SubChartsThatWait(const CheckGraph& graph,
                                                const std::array<int, kSlotLimit>& distance) {
    std::array<bool, kChartCount> waits{};
    // Each round settles at least one more chart through the calls it makes.
    for (int round = 0; round < kChartCount; ++round) {
        for (const CheckSymbol& symbol : graph.Symbols()) {
            if (symbol.chart == 0 || distance[static_cast<std::size_t>(symbol.slot)] < 0) continue;
            const int called = CalledChart(symbol);
            if (Waits(symbol) || IsDecision(symbol) ||
                (called && waits[static_cast<std::size_t>(called)]))
                waits[static_cast<std::size_t>(symbol.chart)] = true;
        }
    }
    return waits;
}

std::vector<int> EndlessCycles(const CheckGraph& graph,
                               const std::array<int, kSlotLimit>& distance) {
    const auto reached = [&](const CheckSymbol* s) {
        return s && distance[static_cast<std::size_t>(s->slot)] >= 0;
    };
    const std::array<bool, kChartCount> subWaits = SubChartsThatWait(graph, distance);
    // A symbol the program passes at once: no wait, no decision, no call of a
    // sub chart that waits or cannot be called.
    const auto passesAtOnce = [&](const CheckSymbol* s) {
        if (!reached(s) || Waits(*s) || IsDecision(*s)) return false;
        if (ClassOf(*s) != SymbolClass::CallSub) return true;
        const int called = CalledChart(*s);
        return called && graph.HasStart(called) && !subWaits[static_cast<std::size_t>(called)];
    };
    const auto nextOf = [&](const CheckSymbol* s) -> const CheckSymbol* {
        if (!HasNextExit(ClassOf(*s))) return nullptr;
        const CheckSymbol* to = ExitTarget(graph, *s, s->next);
        return passesAtOnce(to) ? to : nullptr;
    };

    // Every such symbol has at most one way on, so each walk ends in a cycle or stops.
    enum : char { Unseen, OnWalk, Done };
    std::array<char, kSlotLimit> state{};
    std::vector<int> entries;
    for (const CheckSymbol& symbol : graph.Symbols()) {
        if (!passesAtOnce(&symbol)) continue;
        std::vector<const CheckSymbol*> walk;
        const CheckSymbol* at = &symbol;
        while (at && state[static_cast<std::size_t>(at->slot)] == Unseen) {
            state[static_cast<std::size_t>(at->slot)] = OnWalk;
            walk.push_back(at);
            at = nextOf(at);
        }
        if (at && state[static_cast<std::size_t>(at->slot)] == OnWalk) {
            const auto first = std::find(walk.begin(), walk.end(), at);
            const auto entry = std::min_element(first, walk.end(), [&](auto a, auto b) {
                const int da = distance[static_cast<std::size_t>(a->slot)];
                const int db = distance[static_cast<std::size_t>(b->slot)];
                return da != db ? da < db : a->slot < b->slot;
            });
            entries.push_back((*entry)->slot);
        }
        for (const CheckSymbol* s : walk) state[static_cast<std::size_t>(s->slot)] = Done;
    }
    return entries;
}
