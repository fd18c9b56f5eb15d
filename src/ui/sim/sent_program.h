// What the last program transfer sent: which symbol held each program slot, to show the
// symbols the virtual board executes, and the object code, to tell when the chart changed.
#pragma once

#include <array>
#include <vector>

#include "program_source.h"

class CFlowObjectManager;

struct SentSymbol {
    int uid = 0;  // 0: the slot held no symbol
    int chart = -1;
};

class SentProgram {
public:
    // Nothing sent yet.
    SentProgram() = default;
    // The chart store as a transfer takes it now.
    static SentProgram Capture(CFlowObjectManager& store);

    bool Sent() const { return sent_; }
    // The symbol that held the slot (1..250) when the program was sent.
    SentSymbol At(int slot) const;
    // True while the store would still send the very same program.
    bool Matches(const CFlowObjectManager& store) const;

private:
    std::array<SentSymbol, 251> slots_{};
    std::vector<ObjectCodeEntry> codes_;
    bool sent_ = false;
};
