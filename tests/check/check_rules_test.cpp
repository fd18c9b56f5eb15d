// The rules of the chart check, as tables of small charts written slot by
// slot: each row a chart that shows one finding, or a clean one that shows none.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "chart_check.h"
#include "symbol_kind.h"

namespace {

// A symbol of a chart: its slot, kind and the slots its exits lead to.
CheckSymbol S(int chart, int slot, int kind, int next = 0, int branch = 0) {
    CheckSymbol s;
    s.uid = 1000 + slot;
    s.chart = chart;
    s.slot = slot;
    s.kind = kind;
    s.next = next;
    s.branch = branch;
    if (kind == Kind::End) s.code[1] = 0x80;
    if (kind == Kind::Wait) s.code[3] = 100;  // 10 seconds
    return s;
}
CheckSymbol Call(int chart, int slot, int subChart, int next) {
    CheckSymbol s = S(chart, slot, Kind::CallSub, next);
    s.code[2] = static_cast<std::uint8_t>(subChart);
    return s;
}
CheckSymbol Return(int chart, int slot) {
    CheckSymbol s = S(chart, slot, Kind::End);
    s.code[1] = 0x90;
    return s;
}
CheckSymbol WaitTenths(int chart, int slot, int tenths, int next) {
    CheckSymbol s = S(chart, slot, Kind::Wait, next);
    s.code[2] = static_cast<std::uint8_t>(tenths >> 8);
    s.code[3] = static_cast<std::uint8_t>(tenths & 0xFF);
    return s;
}

struct Expected {
    FindingKind kind;
    int chart;
    int slot;
    bool operator==(const Expected&) const = default;
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << "{kind " << static_cast<int>(e.kind) << " chart " << e.chart << " slot " << e.slot
        << "}";
}

struct Row {
    const char* name;
    std::vector<CheckSymbol> symbols;
    std::vector<Expected> findings;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

using K = FindingKind;
constexpr int kMain = 0;

std::vector<Expected> Found(const std::vector<CheckSymbol>& symbols) {
    std::vector<Expected> found;
    for (const ChartFinding& f : CheckCharts(symbols)) found.push_back({f.kind, f.chart, f.slot});
    return found;
}

class CheckRules : public ::testing::TestWithParam<Row> {};

TEST_P(CheckRules, FindsWhatTheChartShows) {
    EXPECT_EQ(Found(GetParam().symbols), GetParam().findings);
}

// Starts, exits and what a start reaches along lines.
const Row kReachRows[] = {
    {"start, LED, end is clean",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Led, 3), S(kMain, 3, Kind::End)},
     {}},
    {"an empty program has no start", {}, {{K::NoMainStart, 0, 0}}},
    {"a main chart without a start lists only that",
     {S(kMain, 1, Kind::Led, 2), S(kMain, 2, Kind::End)},
     {{K::NoMainStart, 0, 0}}},
    {"a symbol no line leads to never runs; its own open exit is not listed",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(kMain, 3, Kind::Led)},
     {{K::NeverRun, 0, 3}}},
    {"a cycle no start reaches never runs and is not listed as endless",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(kMain, 3, Kind::Led, 4),
      S(kMain, 4, Kind::Led, 3)},
     {{K::NeverRun, 0, 3}, {K::NeverRun, 0, 4}}},
    {"the branch exit reaches symbols as the next exit does",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::SensorLight, 3, 4), S(kMain, 3, Kind::End),
      S(kMain, 4, Kind::Led, 5), S(kMain, 5, Kind::End)},
     {}},
    {"an exit without a line stops the program",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Led)},
     {{K::OpenNextExit, 0, 2}}},
    {"a decision with both exits open is listed twice, next exit first",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Switch1)},
     {{K::OpenNextExit, 0, 2}, {K::OpenBranchExit, 0, 2}}},
    {"a start without a line stops at once", {S(kMain, 1, Kind::Start)}, {{K::OpenNextExit, 0, 1}}},
    {"an exit naming a slot of another chart leads nowhere",
     {S(kMain, 1, Kind::Start, 2), S(1, 2, Kind::End)},
     {{K::OpenNextExit, 0, 1}, {K::SubNeverCalled, 1, 0}}},
    {"end and parallel run have no exits to connect",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::TimeDecision, 3, 4), S(kMain, 3, Kind::End),
      S(kMain, 4, Kind::Parallel)},
     {}},
    {"two starts in one chart both run",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(kMain, 3, Kind::Start, 4),
      S(kMain, 4, Kind::Led)},
     {{K::OpenNextExit, 0, 4}}},
};
INSTANTIATE_TEST_SUITE_P(Reach, CheckRules, ::testing::ValuesIn(kReachRows));

// Sub charts: calls, the parallel run and sub charts nothing runs.
const Row kCallRows[] = {
    {"main calls sub 1, which returns",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 3), S(kMain, 3, Kind::End),
      S(1, 4, Kind::Start, 5), S(1, 5, Kind::Led, 6), Return(1, 6)},
     {}},
    {"a sub chart with symbols that nothing calls",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(2, 3, Kind::Start, 4), Return(2, 4)},
     {{K::SubNeverCalled, 2, 0}}},
    {"a call of a sub chart without a start; that chart's symbols are not listed again",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 2, 3), S(kMain, 3, Kind::End),
      S(2, 4, Kind::Led, 5), Return(2, 5)},
     {{K::CallWithoutStart, 0, 2}}},
    {"a call of an empty sub chart",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 3, 3), S(kMain, 3, Kind::End)},
     {{K::CallWithoutStart, 0, 2}}},
    {"a sub chart called only from a sub chart nothing calls does not run either",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(1, 3, Kind::Start, 4),
      Call(1, 4, 2, 5), Return(1, 5), S(2, 6, Kind::Start, 7), Return(2, 7)},
     {{K::SubNeverCalled, 1, 0}, {K::SubNeverCalled, 2, 0}}},
    {"a call inside a called sub chart runs the sub chart it calls",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 3), S(kMain, 3, Kind::End),
      S(1, 4, Kind::Start, 5), Call(1, 5, 2, 6), Return(1, 6), S(2, 7, Kind::Start, 8),
      Return(2, 8)},
     {}},
    {"a parallel run runs all three sub charts",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Parallel), S(1, 3, Kind::Start, 4),
      Return(1, 4), S(2, 5, Kind::Start, 6), Return(2, 6), S(3, 7, Kind::Start, 8), Return(3, 8)},
     {}},
    {"a parallel run that never runs calls nothing",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(kMain, 3, Kind::Parallel),
      S(1, 4, Kind::Start, 5), Return(1, 5)},
     {{K::NeverRun, 0, 3}, {K::SubNeverCalled, 1, 0}}},
    {"a call that never runs calls nothing",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), Call(kMain, 3, 1, 2),
      S(1, 4, Kind::Start, 5), Return(1, 5)},
     {{K::NeverRun, 0, 3}, {K::SubNeverCalled, 1, 0}}},
    {"without a main start, sub charts are not listed as never called",
     {S(1, 1, Kind::Start, 2), Return(1, 2)},
     {{K::NoMainStart, 0, 0}}},
    {"a sub chart's own symbols are checked even when nothing calls it",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(1, 3, Kind::Start, 4),
      S(1, 4, Kind::Led), S(1, 5, Kind::Led)},
     {{K::SubNeverCalled, 1, 0}, {K::OpenNextExit, 1, 4}, {K::NeverRun, 1, 5}}},
    {"戻る in the main chart ends the program",
     {S(kMain, 1, Kind::Start, 2), Return(kMain, 2)},
     {{K::ReturnInMain, 0, 2}}},
    {"終了 in a sub chart is not listed",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 3), S(kMain, 3, Kind::End),
      S(1, 4, Kind::Start, 5), S(1, 5, Kind::End)},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Calls, CheckRules, ::testing::ValuesIn(kCallRows));

// Loop begins and loop ends pair up along the lines, nested loops counted.
const Row kLoopRows[] = {
    {"a loop around a LED",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3), S(kMain, 3, Kind::Led, 4),
      S(kMain, 4, Kind::LoopEnd, 5), S(kMain, 5, Kind::End)},
     {}},
    {"a loop end that no loop begin leads to",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopEnd, 3), S(kMain, 3, Kind::End)},
     {{K::LoopEndWithoutBegin, 0, 2}}},
    {"a loop begin whose body ends without a loop end",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3), S(kMain, 3, Kind::Led, 4),
      S(kMain, 4, Kind::End)},
     {{K::LoopBeginWithoutEnd, 0, 2}}},
    {"nested loops, each with its loop end",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3), S(kMain, 3, Kind::LoopBegin, 4),
      S(kMain, 4, Kind::Led, 5), S(kMain, 5, Kind::LoopEnd, 6), S(kMain, 6, Kind::LoopEnd, 7),
      S(kMain, 7, Kind::End)},
     {}},
    {"an outer loop whose only loop end closes the inner loop",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3), S(kMain, 3, Kind::LoopBegin, 4),
      S(kMain, 4, Kind::Led, 5), S(kMain, 5, Kind::LoopEnd, 6), S(kMain, 6, Kind::End)},
     {{K::LoopBeginWithoutEnd, 0, 2}}},
    {"a loop body that reaches its loop end on one branch only",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3),
      S(kMain, 3, Kind::SensorSound, 4, 6), S(kMain, 4, Kind::LoopEnd, 5), S(kMain, 5, Kind::End),
      S(kMain, 6, Kind::End)},
     {}},
    {"two loop begins sharing one loop end",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Switch1, 3, 4),
      S(kMain, 3, Kind::LoopBegin, 5), S(kMain, 4, Kind::LoopBegin, 5),
      S(kMain, 5, Kind::LoopEnd, 6), S(kMain, 6, Kind::End)},
     {}},
    {"a loop body that runs back to its own loop begin",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3), S(kMain, 3, Kind::Led, 2)},
     {{K::LoopBeginWithoutEnd, 0, 2}, {K::EndlessCycle, 0, 2}}},
    {"a loop that never runs is not paired",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::End), S(kMain, 3, Kind::LoopBegin, 4),
      S(kMain, 4, Kind::LoopEnd, 2), S(kMain, 5, Kind::LoopEnd, 2)},
     {{K::NeverRun, 0, 3}, {K::NeverRun, 0, 4}, {K::NeverRun, 0, 5}}},
};
INSTANTIATE_TEST_SUITE_P(Loops, CheckRules, ::testing::ValuesIn(kLoopRows));

// Cycles the program runs round without waiting or deciding anything.
const Row kCycleRows[] = {
    {"blinking for ever with a wait",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Led, 3), S(kMain, 3, Kind::Wait, 4),
      S(kMain, 4, Kind::Led, 5), S(kMain, 5, Kind::Wait, 2)},
     {}},
    {"blinking for ever without a wait, listed at the symbol it is entered by",
     {S(kMain, 1, Kind::Start, 4), S(kMain, 2, Kind::Led, 4), S(kMain, 4, Kind::Led, 2)},
     {{K::EndlessCycle, 0, 4}}},
    {"a symbol whose line leads back to itself",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Sound, 2)},
     {{K::EndlessCycle, 0, 2}}},
    {"waiting for the switch round a decision",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Switch1, 3, 2), S(kMain, 3, Kind::End)},
     {}},
    {"a wait of 0 seconds does not wait",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Led, 3), WaitTenths(kMain, 3, 0, 2)},
     {{K::EndlessCycle, 0, 2}}},
    {"a wait of 0.1 seconds waits",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Led, 3), WaitTenths(kMain, 3, 1, 2)},
     {}},
    {"a clock alarm sets its time and goes on",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::ClockAlarm, 3), S(kMain, 3, Kind::Sound, 2)},
     {{K::EndlessCycle, 0, 2}}},
    {"a loop inside the cycle does not stop it",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::LoopBegin, 3), S(kMain, 3, Kind::Led, 4),
      S(kMain, 4, Kind::LoopEnd, 2)},
     {{K::EndlessCycle, 0, 2}}},
    {"calling a sub chart that waits",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 2), S(1, 3, Kind::Start, 4),
      S(1, 4, Kind::Wait, 5), Return(1, 5)},
     {}},
    {"calling a sub chart that decides",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 2), S(1, 3, Kind::Start, 4),
      S(1, 4, Kind::SensorTemperature, 5, 6), S(1, 5, Kind::Led, 7), S(1, 6, Kind::Led, 7),
      Return(1, 7)},
     {}},
    {"calling a sub chart that neither waits nor decides",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 2), S(1, 3, Kind::Start, 4),
      S(1, 4, Kind::Led, 5), Return(1, 5)},
     {{K::EndlessCycle, 0, 2}}},
    {"calling a sub chart that calls one that waits",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 2), S(1, 3, Kind::Start, 4), Call(1, 4, 2, 5),
      Return(1, 5), S(2, 6, Kind::Start, 7), S(2, 7, Kind::Wait, 8), Return(2, 8)},
     {}},
    {"a cycle inside a called sub chart",
     {S(kMain, 1, Kind::Start, 2), Call(kMain, 2, 1, 3), S(kMain, 3, Kind::End),
      S(1, 4, Kind::Start, 5), S(1, 5, Kind::Relay1, 6), S(1, 6, Kind::Relay2, 5)},
     {{K::EndlessCycle, 1, 5}}},
    {"two separate cycles are listed once each",
     {S(kMain, 1, Kind::Start, 2), S(kMain, 2, Kind::Switch2, 3, 5), S(kMain, 3, Kind::Led, 4),
      S(kMain, 4, Kind::Led, 3), S(kMain, 5, Kind::Sound, 5)},
     {{K::EndlessCycle, 0, 3}, {K::EndlessCycle, 0, 5}}},
};
INSTANTIATE_TEST_SUITE_P(Cycles, CheckRules, ::testing::ValuesIn(kCycleRows));

}  // namespace
