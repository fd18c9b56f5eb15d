// What the program-image builder needs from the chart store.
#pragma once

#include <vector>

#include "nuvo_instruction.h"

struct ObjectCodeEntry {
    int chart = 0;
    int slot = 0;
    NuvoInstruction instruction;  // successor slots already filled in
};

class IProgramSource {
public:
    virtual ~IProgramSource() = default;
    // The object code of every live symbol in store order, taken as one
    // consistent snapshot (the store holds its lock for the whole walk).
    virtual std::vector<ObjectCodeEntry> CollectObjectCodes() const = 0;
};
