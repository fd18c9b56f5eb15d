// The chart check: what in the four charts would make the board stop, spin
// or never run a part of the program, found before the program is sent.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One live symbol as the check sees it: where it is, what it does and where
// its exits lead, as program slots (0 when an exit leads nowhere).
struct CheckSymbol {
    int uid = 0;
    int chart = 0;
    int slot = 0;
    int kind = 0;
    std::array<std::uint8_t, 8> code{};  // the stored code bytes, before successors are filled in
    int next = 0;
    int branch = 0;
};

// What a finding says, in the order findings of one symbol are listed.
enum class FindingKind {
    NoMainStart,          // the main chart has no start symbol
    SubNeverCalled,       // a sub chart with symbols that the running program never calls
    NeverRun,             // no start reaches the symbol
    OpenNextExit,         // a running symbol's next exit (a decision's "はい") leads nowhere
    OpenBranchExit,       // a running decision's "いいえ" exit leads nowhere
    CallWithoutStart,     // a call of a sub chart that has no start symbol
    LoopEndWithoutBegin,  // a loop end that no loop begin leads to
    LoopBeginWithoutEnd,  // a loop begin whose body never reaches a loop end
    EndlessCycle,         // a cycle without a wait or a decision, entered at this symbol
    ReturnInMain,         // "戻る" in the main chart, which ends the program there
};

struct ChartFinding {
    FindingKind kind = FindingKind::NoMainStart;
    int chart = 0;
    int slot = 0;  // 0 when the finding is about the chart as a whole
    int uid = 0;   // the symbol's uid, 0 with slot 0
    std::string text;

    bool operator==(const ChartFinding&) const = default;
};

// Checks the live symbols of all four charts; the findings come ordered by
// chart, then slot (the chart's own findings first), then kind.
std::vector<ChartFinding> CheckCharts(std::span<const CheckSymbol> symbols);
