// Helpers shared by the engine tests: building instructions from code bytes
// and printing them as hex in failure messages.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <ostream>

#include "nuvo_instruction.h"

using CodeBytes = std::array<std::uint8_t, 8>;

inline NuvoInstruction Code(CodeBytes bytes, std::int32_t valid = 1) {
    NuvoInstruction instruction;
    instruction.valid = valid;
    instruction.code = bytes;
    return instruction;
}

inline void PrintTo(const NuvoInstruction& instruction, std::ostream* os) {
    *os << "valid " << instruction.valid << " code";
    for (std::uint8_t byte : instruction.code) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        *os << hex;
    }
}
