// Rebuilding a symbol's kind and instruction from the names and operand
// bytes a flowchart file stores for it.
#pragma once

#include "nuvo_instruction.h"

struct RebuiltSymbol {
    int fileId = 0;
    int kind = -1;  // -1: the names do not match the recognition table
    int x = 0;
    int y = 0;
    EngineRecord engine;
};

// Checks the object record against the recognition table of its flow object
// and derives kind and instruction. Operand lists are brought to the length
// the instruction uses (missing bytes 0x00, extra ones dropped), so a later
// settings edit regenerates every byte it shows.
RebuiltSymbol RebuildEngineRecord(int fileId, const NuvoObjectRecord& record, int x, int y);
