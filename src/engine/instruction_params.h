// Reading and writing the parameters each symbol kind keeps in its
// instruction. Every writer takes a copy, changes only that kind's
// parameter bytes and returns it. List choices are positions in the
// tables below; -1 means no selection, which leaves the bytes alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "nuvo_instruction.h"

// A list item and the byte value it stands for.
struct ByteChoice {
    std::string_view text;
    std::uint8_t value;
};

// End: code byte 1.
inline constexpr std::array<ByteChoice, 2> kEndActions = {{{"終了", 0x80}, {"戻る", 0x90}}};
int ReadEndAction(const NuvoInstruction& instruction);
NuvoInstruction WriteEndAction(NuvoInstruction instruction, int action);

// LED: state in code byte 2 (bit 7 lit, bit 1 fade in, bit 2 fade out), colour in bytes 3, 4.
struct LedColour {
    std::string_view text;
    std::uint8_t state;
    std::uint8_t c1;
    std::uint8_t c2;
};
inline constexpr std::array<LedColour, 8> kLedColours = {{
    {"点灯 赤", 0x80, 0x00, 0xF0},
    {"点灯 橙", 0x80, 0x00, 0xC4},
    {"点灯 黄", 0x80, 0x00, 0x88},
    {"点灯 緑", 0x80, 0x00, 0x0F},
    {"点灯 青", 0x80, 0x0F, 0x00},
    {"点灯 藍", 0x80, 0x0C, 0x04},
    {"点灯 紫", 0x80, 0x08, 0x80},
    {"消灯", 0x00, 0x00, 0x00},
}};
inline constexpr std::uint8_t kLedFadeIn = 0x02;
inline constexpr std::uint8_t kLedFadeOut = 0x04;

struct LedParams {
    int colour = -1;
    bool fadeIn = false;
    bool fadeOut = false;
};
LedParams ReadLed(const NuvoInstruction& instruction);
NuvoInstruction WriteLed(NuvoInstruction instruction, const LedParams& params);

// Relay: output in code byte 1, action in code byte 2.
inline constexpr std::array<ByteChoice, 2> kRelayOutputs = {
    {{"白色 LED (出力 1)", 0x23}, {"USBパワー (出力 2)", 0x24}}};
inline constexpr std::array<ByteChoice, 2> kRelayActions = {{{"オン", 0x80}, {"オフ", 0x00}}};

struct RelayParams {
    int output = -1;
    int action = -1;
};
RelayParams ReadRelay(const NuvoInstruction& instruction);
NuvoInstruction WriteRelay(NuvoInstruction instruction, const RelayParams& params);

// Sound: play flag and volume in code byte 2, the sound in code byte 3.
struct SoundChoice {
    std::string_view text;
    std::uint8_t state;
    std::uint8_t sound;
};
inline constexpr std::array<SoundChoice, 5> kSounds = {{
    {"ブザー", 0x80, 0x01},
    {"アラーム", 0x80, 0x02},
    {"メロディ", 0x80, 0x04},
    {"自作メロディ", 0x80, 0x08},
    {"サウンド停止", 0x00, 0x00},
}};
inline constexpr std::array<ByteChoice, 3> kVolumes = {{{"小", 0x01}, {"中", 0x02}, {"大", 0x04}}};

struct SoundParams {
    int sound = -1;
    int volume = -1;
};
SoundParams ReadSound(const NuvoInstruction& instruction);
NuvoInstruction WriteSound(NuvoInstruction instruction, const SoundParams& params);

// Wait: tenths of a second, big-endian in code bytes 2 and 3.
inline constexpr int kMaxWaitTenths = 60000;
// The stored time, limited to kMaxWaitTenths.
int ReadWaitTenths(const NuvoInstruction& instruction);
// Seconds as the settings field shows them ("%5.1f"), always with a decimal point.
std::string FormatWaitSeconds(int tenths);
// Seconds times 10, truncated toward zero, limited to 0..kMaxWaitTenths.
NuvoInstruction WriteWaitSeconds(NuvoInstruction instruction, double seconds);

// Clock alarm: hour and minute in code bytes 4 and 5.
struct ClockTime {
    long long hour = 0;
    long long minute = 0;
};
ClockTime ReadClockAlarm(const NuvoInstruction& instruction);
// Hours above 23 store 23, minutes above 59 store 59.
NuvoInstruction WriteClockAlarm(NuvoInstruction instruction, const ClockTime& time);

// Measuring-sensor decision: sensor in byte 1, mode in byte 2, comparison
// codes in byte 3 (first low, second high), first value byte 4, second byte 5.
inline constexpr std::array<ByteChoice, 3> kSensors = {
    {{"光", 0x31}, {"温度", 0x32}, {"音", 0x33}}};

enum class SensorMode { Unknown, OneValue, TwoValues };

struct SensorParams {
    int sensor = -1;
    SensorMode mode = SensorMode::OneValue;
    int firstComparison = 0;  // positions in kComparisons
    int secondComparison = 0;
    long long firstValue = 0;
    long long secondValue = 0;
};
SensorParams ReadSensor(const NuvoInstruction& instruction);
// Any mode but OneValue writes two comparisons; values are limited to 0..255.
NuvoInstruction WriteSensor(NuvoInstruction instruction, const SensorParams& params);

// Time decision: 0x20 + comparison code in byte 3, hour and minute in bytes 4, 5.
struct TimeDecisionParams {
    int comparison = 0;  // position in kComparisons
    ClockTime time;
};
TimeDecisionParams ReadTimeDecision(const NuvoInstruction& instruction);
NuvoInstruction WriteTimeDecision(NuvoInstruction instruction, const TimeDecisionParams& params);

// Loop begin: repeat count in code byte 5; a stored 0 reads as 1.
int ReadLoopCount(const NuvoInstruction& instruction);
// Limits the count to 1..255 and restores the fixed bytes 2..4.
NuvoInstruction WriteLoopCount(NuvoInstruction instruction, long long count);

// Subroutine call: sub chart 1..3 in code byte 2; 0 when the byte holds another value.
int ReadCallTarget(const NuvoInstruction& instruction);
// A target outside 1..3 leaves byte 2; bytes 3..5 are always cleared.
NuvoInstruction WriteCallTarget(NuvoInstruction instruction, int target);
