// The engine's instruction vocabulary: layout bytes, opcodes and comparison codes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "symbol_kind.h"

// Code byte 0. Bit 7: two exits; bit 6: flow control; bits 5..0 mark code
// bytes 2..7 and are clear where a second function object's opcode sits.
namespace Layout {
inline constexpr std::uint8_t FlowControl = 0x7F;  // start, end, loops, call, parallel
inline constexpr std::uint8_t Action = 0x3F;       // LED, clock alarm, timer reset
inline constexpr std::uint8_t Relay = 0x2F;        // opcode + 1 operand, then "nop"
inline constexpr std::uint8_t TwoOperands = 0x37;  // sound, wait: 2 operands, then "nop"
inline constexpr std::uint8_t Measure = 0xBF;      // sensor, time and timer decisions
inline constexpr std::uint8_t Switch = 0xAF;       // switch decisions
}  // namespace Layout

inline constexpr std::array<std::uint8_t, Kind::SymbolCount> kLayoutByKind = {
    Layout::FlowControl, Layout::FlowControl, Layout::Action,      Layout::Relay,
    Layout::Relay,       Layout::Relay,       Layout::TwoOperands, Layout::TwoOperands,
    Layout::Action,      Layout::Measure,     Layout::Measure,     Layout::Measure,
    Layout::Switch,      Layout::Switch,      Layout::Switch,      Layout::Measure,
    Layout::FlowControl, Layout::FlowControl, Layout::FlowControl, Layout::Action,
    Layout::Measure,     Layout::FlowControl,
};

namespace Opcode {
inline constexpr std::uint8_t Nop = 0x00;
inline constexpr std::uint8_t Start = 0x01;
inline constexpr std::uint8_t LoopBegin = 0x08;
inline constexpr std::uint8_t LoopEnd = 0x0C;
inline constexpr std::uint8_t CallSub = 0x10;
inline constexpr std::uint8_t Parallel = 0x20;
inline constexpr std::uint8_t Led = 0x21;
inline constexpr std::uint8_t Relay1s = 0x23;
inline constexpr std::uint8_t Relay4m = 0x24;
inline constexpr std::uint8_t Relay2s = 0x25;
inline constexpr std::uint8_t Beep = 0x27;
inline constexpr std::uint8_t Wait = 0x28;
inline constexpr std::uint8_t Timer = 0x2A;
inline constexpr std::uint8_t Rtc = 0x2B;
inline constexpr std::uint8_t SensorM1 = 0x31;
inline constexpr std::uint8_t SensorM2 = 0x32;
inline constexpr std::uint8_t SensorM3 = 0x33;
inline constexpr std::uint8_t Switch1 = 0x35;
inline constexpr std::uint8_t Switch2 = 0x36;
inline constexpr std::uint8_t Switch3 = 0x37;
inline constexpr std::uint8_t End = 0x80;
inline constexpr std::uint8_t Return = 0x90;
}  // namespace Opcode

struct FunctionOpcode {
    std::string_view name;
    std::uint8_t opcode;
};

inline constexpr std::array<FunctionOpcode, 22> kFunctionOpcodes = {{
    {"nop", Opcode::Nop},
    {"start_f", Opcode::Start},
    {"end_f", Opcode::End},
    {"return_s", Opcode::Return},
    {"loop_begin", Opcode::LoopBegin},
    {"loop_end", Opcode::LoopEnd},
    {"call_sub", Opcode::CallSub},
    {"parallel", Opcode::Parallel},
    {"led1_rgb", Opcode::Led},
    {"relay1s", Opcode::Relay1s},
    {"relay4m", Opcode::Relay4m},
    {"relay2s", Opcode::Relay2s},
    {"beep1", Opcode::Beep},
    {"wait_tim3", Opcode::Wait},
    {"rtc1", Opcode::Rtc},
    {"sensor_m1", Opcode::SensorM1},
    {"sensor_m2", Opcode::SensorM2},
    {"sensor_m3", Opcode::SensorM3},
    {"sensor1", Opcode::Switch1},
    {"sensor2", Opcode::Switch2},
    {"sensor3", Opcode::Switch3},
    {"timer5", Opcode::Timer},
}};

// The opcode of a function object, looked up by its name.
constexpr std::optional<std::uint8_t> OpcodeOf(std::string_view functionName) {
    for (const auto& entry : kFunctionOpcodes) {
        if (entry.name == functionName) return entry.opcode;
    }
    return std::nullopt;
}

// Comparison codes of the sensor and time decisions, in the order the
// settings dialogs list them.
struct Comparison {
    std::uint8_t code;
    std::string_view symbol;
};

inline constexpr std::array<Comparison, 6> kComparisons = {{
    {0x9, "＝"},
    {0xA, "＜"},
    {0xC, "＞"},
    {0xD, "≦"},
    {0xB, "≧"},
    {0xE, "≠"},
}};

// Dialog position of a comparison code, or -1 for a code outside 9..E.
constexpr int ComparisonIndex(std::uint8_t code) {
    for (std::size_t i = 0; i < kComparisons.size(); ++i) {
        if (kComparisons[i].code == code) return static_cast<int>(i);
    }
    return -1;
}
