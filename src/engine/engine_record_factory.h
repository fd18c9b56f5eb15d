// Default engine record of a newly placed symbol, by kind.
#pragma once

#include "nuvo_instruction.h"

NuvoInstruction DefaultInstruction(int kind);
NuvoObjectRecord DefaultObjectRecord(int kind);
// Kinds outside 0..21 get the unset instruction and an empty object record.
EngineRecord MakeEngineRecord(int kind);
