// Per-kind parameter access on the instruction's code bytes.
#include "instruction_params.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "opcodes.h"

namespace {

template <std::size_t N>
int IndexOf(const std::array<ByteChoice, N>& choices, std::uint8_t value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (choices[i].value == value) return static_cast<int>(i);
    }
    return -1;
}

template <typename Table>
bool IsChoice(const Table& table, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

// Writes the chosen value into code byte at; no selection leaves it.
template <std::size_t N>
void WriteChoice(NuvoInstruction& instruction, std::size_t at,
                 const std::array<ByteChoice, N>& choices, int index) {
    if (IsChoice(choices, index)) instruction.code[at] = choices[index].value;
}

std::uint8_t Limit(long long value, long long low, long long high) {
    return static_cast<std::uint8_t>(std::clamp(value, low, high));
}

// Comparison code of a dialog position; an unknown position counts as "＝".
std::uint8_t ComparisonCode(int index) {
    return kComparisons[IsChoice(kComparisons, index) ? index : 0].code;
}

// Dialog position of a comparison code; an unknown code shows as "＝".
int ComparisonPosition(std::uint8_t code) { return std::max(ComparisonIndex(code), 0); }

ClockTime ReadTime(const NuvoInstruction& instruction) {
    return {instruction.code[4], instruction.code[5]};
}

void WriteTime(NuvoInstruction& instruction, const ClockTime& time) {
    instruction.code[4] = Limit(time.hour, 0, 23);
    instruction.code[5] = Limit(time.minute, 0, 59);
}

}  // namespace

int ReadEndAction(const NuvoInstruction& instruction) {
    return IndexOf(kEndActions, instruction.code[1]);
}

NuvoInstruction WriteEndAction(NuvoInstruction instruction, int action) {
    WriteChoice(instruction, 1, kEndActions, action);
    return instruction;
}

LedParams ReadLed(const NuvoInstruction& instruction) {
    const auto& code = instruction.code;
    LedParams params;
    for (std::size_t i = 0; i < kLedColours.size(); ++i) {
        const LedColour& colour = kLedColours[i];
        if ((code[2] & 0xF0) == colour.state && code[3] == colour.c1 && code[4] == colour.c2) {
            params.colour = static_cast<int>(i);
        }
    }
    params.fadeIn = (code[2] & kLedFadeIn) != 0;
    params.fadeOut = (code[2] & kLedFadeOut) != 0;
    return params;
}

NuvoInstruction WriteLed(NuvoInstruction instruction, const LedParams& params) {
    auto& code = instruction.code;
    if (IsChoice(kLedColours, params.colour)) {
        const LedColour& colour = kLedColours[params.colour];
        code[2] = colour.state;
        code[3] = colour.c1;
        code[4] = colour.c2;
    }
    code[2] = static_cast<std::uint8_t>((code[2] & ~(kLedFadeIn | kLedFadeOut)) |
                                        (params.fadeIn ? kLedFadeIn : 0) |
                                        (params.fadeOut ? kLedFadeOut : 0));
    return instruction;
}

RelayParams ReadRelay(const NuvoInstruction& instruction) {
    return {IndexOf(kRelayOutputs, instruction.code[1]),
            IndexOf(kRelayActions, instruction.code[2])};
}

NuvoInstruction WriteRelay(NuvoInstruction instruction, const RelayParams& params) {
    WriteChoice(instruction, 1, kRelayOutputs, params.output);
    WriteChoice(instruction, 2, kRelayActions, params.action);
    return instruction;
}

SoundParams ReadSound(const NuvoInstruction& instruction) {
    const auto& code = instruction.code;
    SoundParams params;
    for (std::size_t i = 0; i < kSounds.size(); ++i) {
        if ((code[2] & 0xF0) == kSounds[i].state && code[3] == kSounds[i].sound) {
            params.sound = static_cast<int>(i);
        }
    }
    params.volume = IndexOf(kVolumes, code[2] & 0x0F);
    return params;
}

NuvoInstruction WriteSound(NuvoInstruction instruction, const SoundParams& params) {
    auto& code = instruction.code;
    std::uint8_t state = code[2] & 0xF0;
    std::uint8_t volume = code[2] & 0x0F;
    if (IsChoice(kSounds, params.sound)) {
        state = kSounds[params.sound].state;
        code[3] = kSounds[params.sound].sound;
    }
    if (IsChoice(kVolumes, params.volume)) volume = kVolumes[params.volume].value;
    code[2] = static_cast<std::uint8_t>(state | volume);
    return instruction;
}

int ReadWaitTenths(const NuvoInstruction& instruction) {
    return std::min(instruction.code[2] * 256 + instruction.code[3], kMaxWaitTenths);
}

std::string FormatWaitSeconds(int tenths) {
    // Whole tenths written digit by digit: the C library's "%5.1f" would take
    // the locale's decimal comma, which the field then could not read back.
    const int magnitude = std::abs(tenths);
    std::string text = std::to_string(magnitude / 10) + '.' + std::to_string(magnitude % 10);
    if (tenths < 0) text.insert(0, 1, '-');
    if (text.size() < 5) text.insert(0, 5 - text.size(), ' ');
    return text;
}

NuvoInstruction WriteWaitSeconds(NuvoInstruction instruction, double seconds) {
    const double tenths = std::trunc(seconds * 10.0);
    // Written so that NaN also lands on 0.
    const int stored = tenths > 0.0 ? static_cast<int>(std::min(tenths, 60000.0)) : 0;
    instruction.code[2] = static_cast<std::uint8_t>(stored >> 8);
    instruction.code[3] = static_cast<std::uint8_t>(stored & 0xFF);
    return instruction;
}

ClockTime ReadClockAlarm(const NuvoInstruction& instruction) { return ReadTime(instruction); }

NuvoInstruction WriteClockAlarm(NuvoInstruction instruction, const ClockTime& time) {
    WriteTime(instruction, time);
    return instruction;
}

SensorParams ReadSensor(const NuvoInstruction& instruction) {
    const auto& code = instruction.code;
    SensorParams params;
    params.sensor = IndexOf(kSensors, code[1]);
    params.mode = code[2] == 0x81   ? SensorMode::OneValue
                  : code[2] == 0x83 ? SensorMode::TwoValues
                                    : SensorMode::Unknown;
    params.firstComparison = ComparisonPosition(code[3] & 0x0F);
    params.secondComparison = ComparisonPosition(code[3] >> 4);
    params.firstValue = code[4];
    params.secondValue = code[5];
    return params;
}

NuvoInstruction WriteSensor(NuvoInstruction instruction, const SensorParams& params) {
    auto& code = instruction.code;
    WriteChoice(instruction, 1, kSensors, params.sensor);
    code[3] = ComparisonCode(params.firstComparison);
    code[4] = Limit(params.firstValue, 0, 255);
    if (params.mode == SensorMode::OneValue) {
        code[2] = 0x81;
        code[5] = 0x00;
    } else {
        code[2] = 0x83;
        code[3] |= static_cast<std::uint8_t>(ComparisonCode(params.secondComparison) << 4);
        code[5] = Limit(params.secondValue, 0, 255);
    }
    return instruction;
}

TimeDecisionParams ReadTimeDecision(const NuvoInstruction& instruction) {
    return {ComparisonPosition(instruction.code[3] & 0x0F), ReadTime(instruction)};
}

NuvoInstruction WriteTimeDecision(NuvoInstruction instruction, const TimeDecisionParams& params) {
    instruction.code[3] = static_cast<std::uint8_t>(0x20 | ComparisonCode(params.comparison));
    WriteTime(instruction, params.time);
    return instruction;
}

int ReadLoopCount(const NuvoInstruction& instruction) {
    return instruction.code[5] == 0 ? 1 : instruction.code[5];
}

NuvoInstruction WriteLoopCount(NuvoInstruction instruction, long long count) {
    auto& code = instruction.code;
    code[2] = 0x00;
    code[3] = 0x1A;
    code[4] = 0x00;
    code[5] = Limit(count, 1, 255);
    return instruction;
}

int ReadCallTarget(const NuvoInstruction& instruction) {
    const std::uint8_t target = instruction.code[2];
    return target >= 1 && target <= 3 ? target : 0;
}

NuvoInstruction WriteCallTarget(NuvoInstruction instruction, int target) {
    auto& code = instruction.code;
    if (target >= 1 && target <= 3) code[2] = static_cast<std::uint8_t>(target);
    code[3] = code[4] = code[5] = 0x00;
    return instruction;
}
