// What a symbol shows: its outline shape and the label text derived from its
// instruction. Kept free of drawing code so the labels can be checked alone.
#pragma once

#include <string>

#include "nuvo_instruction.h"
#include "symbol_kind.h"

enum class SymbolShape {
    Terminal,
    Box,         // one line in the rectangle
    TwoLineBox,  // upper half, lower half
    LedBox,      // upper half; lower half in three columns with "in" / "out"
    Decision,
    LoopBegin,  // one line, or two when the second line is not empty
    LoopEnd,
    Subroutine,
    Parallel,
};

struct SymbolFace {
    SymbolShape shape = SymbolShape::Box;
    std::string first;
    std::string second;
    bool fadeIn = false;
    bool fadeOut = false;

    bool operator==(const SymbolFace&) const = default;
};

inline constexpr const char* kUnknownLabel = "??";

// The face of a symbol of class cls carrying engine; a record flagged
// invalid shows "??" (in the fallback shape of its class).
SymbolFace FaceOf(SymbolClass cls, const EngineRecord& engine);
