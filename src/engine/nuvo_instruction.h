// The engine data every symbol carries: its 8-byte instruction and the
// symbolic description of that instruction stored in flowchart files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint8_t kNoSlot = 0xFE;  // successor byte meaning "none"

struct NuvoInstruction {
    std::int32_t valid = 0;  // 1 when the instruction exists
    std::array<std::uint8_t, 8> code{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    bool operator==(const NuvoInstruction&) const = default;
};

// The instruction a line carries and a missing object yields.
inline NuvoInstruction UnsetInstruction() { return NuvoInstruction{}; }

struct FuncObject {
    std::string name;  // UTF-8
    std::int32_t number = -1;
    std::vector<std::uint8_t> operands;

    bool operator==(const FuncObject&) const = default;
};

struct NuvoObjectRecord {
    std::string flowObjName;
    std::int32_t flowObjNumber = -1;
    std::string symbolName;
    std::int32_t symbolNumber = -1;
    std::vector<FuncObject> funcObjects;

    bool operator==(const NuvoObjectRecord&) const = default;
};

struct EngineRecord {
    std::int32_t invalid = 0;  // 1: no instruction could be derived (opens the no-settings dialog)
    NuvoInstruction instruction;
    NuvoObjectRecord objectRecord;

    bool operator==(const EngineRecord&) const = default;
};
