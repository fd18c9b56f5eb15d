// Programs for the engine tests, written entry by entry as the board receives them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine_program.h"
#include "engine_text.h"

namespace sim_test {

using Code = EntryCode;
using B = std::uint8_t;

inline constexpr B kNone = 0xFE;

inline B Hi(int v) { return static_cast<B>(v >> 8); }
inline B Lo(int v) { return static_cast<B>(v & 0xFF); }

// One instruction per symbol kind, successor slots last as the image holds them.
inline Code Start(B next) { return {0x7F, 0x01, 0, 0, 0, 0, 0, next}; }
inline Code End() { return {0x7F, 0x80, 0, 0, 0, 0, 0, 0}; }
inline Code Return() { return {0x7F, 0x90, 0, 0, 0, 0, 0, 0}; }
inline Code Led(B state, B c1, B c2, B next) { return {0x3F, 0x21, state, c1, c2, 0, 0, next}; }
inline Code Red(B next) { return Led(0x80, 0x00, 0xF0, next); }
inline Code Dark(B next) { return Led(0x00, 0x00, 0x00, next); }
inline Code Relay(B opcode, B action, B next) { return {0x2F, opcode, action, 0, 0, 0, 0, next}; }
inline Code Sound(B state, B sound, B next) { return {0x37, 0x27, state, sound, 0, 0, 0, next}; }
inline Code Wait(int tenths, B next) { return {0x37, 0x28, Hi(tenths), Lo(tenths), 0, 0, 0, next}; }
inline Code Alarm(B hour, B minute, B next) {
    return {0x3F, 0x2B, 0x40, 0, hour, minute, 0, next};
}
inline Code Sensor(B opcode, B mode, B comparisons, B first, B second, B yes, B no) {
    return {0xBF, opcode, mode, comparisons, first, second, no, yes};
}
inline Code Switch(B opcode, B yes, B no) {
    return {0xAF, opcode, static_cast<B>(opcode == 0x37 ? 0x02 : 0x00), 0, 0, 0, no, yes};
}
inline Code TimeDecision(B comparison, B hour, B minute, B yes, B no) {
    return {0xBF, 0x2B, 0x81, static_cast<B>(0x20 | comparison), hour, minute, no, yes};
}
inline Code TimerReset(B next) { return {0x3F, 0x2A, 0x20, 0, 0, 0, 0, next}; }
inline Code TimerDecision(B comparison, int tenths, B yes, B no) {
    return {0xBF, 0x2A, 0x81, static_cast<B>(0x20 | comparison), Hi(tenths), Lo(tenths), no, yes};
}
inline Code LoopBegin(B count, B next) { return {0x7F, 0x08, 0, 0x1A, 0, count, 0xFE, next}; }
inline Code LoopEnd(B next) { return {0x7F, 0x0C, 0, 0x1A, 0, 0, 0xFE, next}; }
inline Code Call(B sub, B start, B next) { return {0x7F, 0x10, sub, 0, 0, 0, start, next}; }
inline Code Parallel() { return {0x7F, 0x20, 0, 0, 0, 0, 0, 0}; }

// A storage area: erased, then entry 0 and the given slots written.
class Image {
public:
    Image() : area_(kStorageAreaBytes, 0xFF) {}

    Image& Main(B start) {
        area_[7] = start;
        return *this;
    }
    Image& Put(int slot, const Code& code) {
        for (std::size_t i = 0; i < code.size(); ++i)
            area_[static_cast<std::size_t>(slot) * 8 + i] = code[i];
        return *this;
    }
    const std::vector<std::uint8_t>& Area() const { return area_; }
    EngineProgram Program() const { return EngineProgram::FromArea(area_); }

private:
    std::vector<std::uint8_t> area_;
};

// The run as qen-cli prints it.
inline std::vector<std::string> Lines(const Image& image, SimTime limit,
                                      const EngineInputs& inputs = {}, SimTime timeOfDay = 0) {
    return RunTimeline(image.Program(), inputs, timeOfDay, limit).lines;
}

using Text = std::vector<std::string>;

}  // namespace sim_test
