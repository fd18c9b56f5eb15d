// Labels of the symbols, read from the code bytes of their instructions.
#include "canvas/symbol_label.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "instruction_params.h"
#include "opcodes.h"

namespace {

using Code = std::array<std::uint8_t, 8>;

SymbolFace OneLine(SymbolShape shape, std::string text) { return {shape, std::move(text), ""}; }

std::string Format(const char* format, auto... args) {
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

struct ByteLabel {
    std::uint8_t value;
    std::string_view text;
};

template <std::size_t N>
std::string LabelFor(const std::array<ByteLabel, N>& table, unsigned value,
                     std::string_view otherwise = kUnknownLabel) {
    for (const ByteLabel& row : table)
        if (row.value == value) return std::string(row.text);
    return std::string(otherwise);
}

// Comparison symbol of a code 9..14, or the fallback text.
std::string ComparisonText(unsigned code, std::string_view otherwise) {
    const int index = code <= 0xFF ? ComparisonIndex(static_cast<std::uint8_t>(code)) : -1;
    return std::string(index < 0 ? otherwise
                                 : kComparisons[static_cast<std::size_t>(index)].symbol);
}

struct LedLabel {
    std::uint8_t state;  // high nibble of code byte 2
    std::uint8_t c1;
    std::uint8_t c2;
    std::string_view first;
    std::string_view second;
};

constexpr std::array<LedLabel, 9> kLedLabels = {{
    {0x0, 0x00, 0x00, "LED消灯", ""},
    {0x8, 0x00, 0xF0, "LED点灯", "赤"},
    {0x8, 0x00, 0xC4, "LED点灯", "橙"},
    {0x8, 0x00, 0x88, "LED点灯", "黄"},
    {0x8, 0x00, 0x0F, "LED点灯", "緑"},
    {0x8, 0x0F, 0x00, "LED点灯", "青"},
    {0x8, 0x0C, 0x04, "LED点灯", "藍"},
    {0x8, 0x08, 0x80, "LED点灯", "紫"},
    {0x9, 0x00, 0x00, "LED点灯", "??"},
}};

SymbolFace LedFace(const Code& code) {
    SymbolFace face{SymbolShape::LedBox, kUnknownLabel, ""};
    for (const LedLabel& row : kLedLabels) {
        if (row.state == code[2] >> 4 && row.c1 == code[3] && row.c2 == code[4]) {
            face.first = row.first;
            face.second = row.second;
        }
    }
    face.fadeIn = (code[2] & kLedFadeIn) != 0;
    face.fadeOut = (code[2] & kLedFadeOut) != 0;
    return face;
}

SymbolFace RelayFace(const Code& code) {
    constexpr std::array<ByteLabel, 2> outputs = {{{0x23, "白色LED(出力1)"}, {0x24, "USB(出力2)"}}};
    constexpr std::array<ByteLabel, 2> actions = {{{0x00, "オフ"}, {0x80, "オン"}}};
    return {SymbolShape::TwoLineBox, LabelFor(outputs, code[1]), LabelFor(actions, code[2], "")};
}

SymbolFace SoundFace(const Code& code) {
    struct SoundLabel {
        unsigned value;
        std::string_view text;
    };
    constexpr std::array<SoundLabel, 5> sounds = {{{0x0000, "サウンド停止"},
                                                   {0x8001, "ブザー再生"},
                                                   {0x8002, "アラーム再生"},
                                                   {0x8004, "メロディ再生"},
                                                   {0x8008, "自作ﾒﾛﾃﾞｨ再生"}}};
    constexpr std::array<ByteLabel, 3> volumes = {{{1, "小"}, {2, "中"}, {4, "大"}}};
    const unsigned sound = (code[2] * 256u + code[3]) & ~0x0F00u;
    SymbolFace face{SymbolShape::TwoLineBox, kUnknownLabel, LabelFor(volumes, code[2] & 0x0Fu)};
    for (const SoundLabel& row : sounds)
        if (row.value == sound) face.first = row.text;
    return face;
}

SymbolFace WaitFace(const NuvoInstruction& instruction) {
    return {SymbolShape::TwoLineBox, "ウエイト",
            FormatWaitSeconds(ReadWaitTenths(instruction)) + " 秒"};
}

SymbolFace ClockAlarmFace(const Code& code) {
    return {SymbolShape::TwoLineBox, "時計ｱﾗｰﾑ",
            Format("%02u:%02u", unsigned{code[4]}, unsigned{code[5]})};
}

std::string SensorLabel(const Code& code) {
    constexpr std::array<ByteLabel, 3> sensors = {{{0x31, "光"}, {0x32, "温"}, {0x33, "音"}}};
    const std::string sensor = LabelFor(sensors, code[1]);
    const std::string first = ComparisonText(code[3] & 0x0Fu, "XX");
    if (code[2] == 0x81) return sensor + first + Format("%d", int{code[4]});
    if (code[2] == 0x83) {
        const std::string second = ComparisonText(code[3] >> 4, kUnknownLabel);
        return Format("%d", int{code[5]}) + second + sensor + first + Format("%d", int{code[4]});
    }
    return kUnknownLabel;
}

std::string TimeDecisionLabel(const Code& code) {
    if (code[2] != 0x81) return kUnknownLabel;
    const std::string clock = code[1] == Opcode::Rtc ? "時" : kUnknownLabel;
    const bool known = code[3] >= 0x29 && code[3] <= 0x2E;
    const std::string op = known ? ComparisonText(code[3] - 0x20u, "XX") : "XX";
    return clock + op + Format("%02u:%02u", unsigned{code[4]}, unsigned{code[5]});
}

std::string CallSubLabel(const Code& code) {
    constexpr std::array<ByteLabel, 3> targets = {
        {{1, "ｻﾌﾞﾙｰﾁﾝ 1"}, {2, "ｻﾌﾞﾙｰﾁﾝ 2"}, {3, "ｻﾌﾞﾙｰﾁﾝ 3"}}};
    return LabelFor(targets, code[2]);
}

SymbolFace ValidFace(SymbolClass cls, const NuvoInstruction& instruction) {
    const Code& code = instruction.code;
    switch (cls) {
        case SymbolClass::Start:
            return OneLine(SymbolShape::Terminal, "開始");
        case SymbolClass::End: {
            constexpr std::array<ByteLabel, 2> ends = {
                {{Opcode::End, "終了"}, {Opcode::Return, "戻る"}}};
            return OneLine(SymbolShape::Terminal, LabelFor(ends, code[1]));
        }
        case SymbolClass::Led:
            return LedFace(code);
        case SymbolClass::Relay:
            return RelayFace(code);
        case SymbolClass::Sound:
            return SoundFace(code);
        case SymbolClass::Wait:
            return WaitFace(instruction);
        case SymbolClass::ClockAlarm:
            return ClockAlarmFace(code);
        case SymbolClass::Sensor:
            return OneLine(SymbolShape::Decision, SensorLabel(code));
        case SymbolClass::SensorSwitch:
            return OneLine(SymbolShape::Decision,
                           code[1] == Opcode::Switch1 ? "スイッチ" : kUnknownLabel);
        case SymbolClass::TimeDecision:
            return OneLine(SymbolShape::Decision, TimeDecisionLabel(code));
        case SymbolClass::Timer:
            return OneLine(SymbolShape::Decision, kUnknownLabel);
        case SymbolClass::TimerReset:
            return OneLine(SymbolShape::Box, kUnknownLabel);
        case SymbolClass::LoopBegin:
            return {SymbolShape::LoopBegin, "くり返し", Format("%d 回", int{code[5]})};
        case SymbolClass::LoopEnd:
            return OneLine(SymbolShape::LoopEnd, "もどる");
        case SymbolClass::CallSub:
            return OneLine(SymbolShape::Subroutine, CallSubLabel(code));
        case SymbolClass::Parallel:
            return OneLine(SymbolShape::Parallel, "全ｻﾌﾞﾙｰﾁﾝ並列実行");
        case SymbolClass::Line:
            break;
    }
    return OneLine(SymbolShape::Box, kUnknownLabel);
}

// The shape an invalid record is drawn in: the action boxes fall back to a
// plain box and the loop ends to a one-line loop begin.
SymbolShape InvalidShape(SymbolShape shape) {
    switch (shape) {
        case SymbolShape::TwoLineBox:
        case SymbolShape::LedBox:
            return SymbolShape::Box;
        case SymbolShape::LoopEnd:
            return SymbolShape::LoopBegin;
        default:
            return shape;
    }
}

}  // namespace

SymbolFace FaceOf(SymbolClass cls, const EngineRecord& engine) {
    const SymbolFace face = ValidFace(cls, engine.instruction);
    if (engine.invalid == 0) return face;
    return OneLine(InvalidShape(face.shape), kUnknownLabel);
}
