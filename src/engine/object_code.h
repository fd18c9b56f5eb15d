// Per-class instruction rules: the object code handed to the image (with
// successor slots filled in) and the regeneration of the object record
// after the instruction was edited.
#pragma once

#include <cstdint>

#include "nuvo_instruction.h"
#include "symbol_kind.h"

// nextSlot and branchSlot are 1..250, or kNoSlot when the exit leads nowhere.
NuvoInstruction ObjectCodeFor(SymbolClass cls, int chart, const NuvoInstruction& stored,
                              std::uint8_t nextSlot, std::uint8_t branchSlot);

// Rewrites names, numbers and operands of record from instruction; classes
// without settings leave the record alone.
void SyncObjectRecord(SymbolClass cls, const NuvoInstruction& instruction,
                      NuvoObjectRecord& record);
