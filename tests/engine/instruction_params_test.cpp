// Reading and writing each kind's parameters in its instruction.
#include "instruction_params.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "decimal_comma_locale.h"
#include "engine_record_factory.h"
#include "engine_test_support.h"
#include "object_code.h"
#include "opcodes.h"
#include "symbol_kind.h"

namespace {

// Bytes a writer must never touch: the valid word, the layout byte and the successors.
void ExpectFrameKept(const NuvoInstruction& before, const NuvoInstruction& after) {
    EXPECT_EQ(after.valid, before.valid);
    EXPECT_EQ(after.code[0], before.code[0]);
    EXPECT_EQ(after.code[7], before.code[7]);
}

// --- Wait -------------------------------------------------------------------

struct WaitCase {
    double seconds;
    std::uint8_t high;
    std::uint8_t low;
};

class WaitSeconds : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitSeconds, StoresTruncatedTenthsWithinRange) {
    const WaitCase& c = GetParam();
    const NuvoInstruction before = Code({0x37, 0x28, 0x00, 0x64, 0x00, 0x00, 0x00, 0x09});
    const NuvoInstruction after = WriteWaitSeconds(before, c.seconds);
    EXPECT_EQ(after, Code({0x37, 0x28, c.high, c.low, 0x00, 0x00, 0x00, 0x09}));
}

INSTANTIATE_TEST_SUITE_P(
    TypedValues, WaitSeconds,
    ::testing::Values(WaitCase{0.05, 0x00, 0x00}, WaitCase{2.55, 0x00, 0x19},
                      WaitCase{12.34, 0x00, 0x7B}, WaitCase{2.5, 0x00, 0x19},
                      WaitCase{6000.0, 0xEA, 0x60}, WaitCase{7000.0, 0xEA, 0x60},
                      WaitCase{9999.0, 0xEA, 0x60}, WaitCase{-3.0, 0x00, 0x00},
                      WaitCase{-0.09, 0x00, 0x00}, WaitCase{1e300, 0xEA, 0x60},
                      WaitCase{std::numeric_limits<double>::quiet_NaN(), 0x00, 0x00}));

TEST(WaitTenths, ReadsBigEndianLimitedTo60000) {
    EXPECT_EQ(ReadWaitTenths(DefaultInstruction(Kind::Wait)), 100);
    EXPECT_EQ(ReadWaitTenths(Code({0x37, 0x28, 0x01, 0x02, 0, 0, 0, 0xFE})), 258);
    EXPECT_EQ(ReadWaitTenths(Code({0x37, 0x28, 0xFF, 0xFF, 0, 0, 0, 0xFE})), 60000);
}

TEST(WaitTenths, FormatsLikeTheSettingsField) {
    EXPECT_EQ(FormatWaitSeconds(100), " 10.0");
    EXPECT_EQ(FormatWaitSeconds(5), "  0.5");
    EXPECT_EQ(FormatWaitSeconds(60000), "6000.0");
    EXPECT_EQ(FormatWaitSeconds(ReadWaitTenths(Code({0x37, 0x28, 0xFF, 0xFF, 0, 0, 0, 0}))),
              "6000.0");
    // Every stored time reads exactly as "%5.1f" writes it in the "C" locale.
    for (int tenths = 0; tenths <= kMaxWaitTenths; ++tenths) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "%5.1f", tenths / 10.0);
        ASSERT_EQ(FormatWaitSeconds(tenths), expected);
    }
}

// The settings field reads numbers with a decimal point; the text it shows
// must have one too on a desktop whose locale writes a decimal comma.
TEST(WaitTenths, FormatsWithADecimalPointUnderADecimalCommaLocale) {
    const DecimalCommaLocale comma;
    if (!comma.Active()) GTEST_SKIP() << "no decimal-comma locale here";
    char localised[16];
    std::snprintf(localised, sizeof localised, "%5.1f", 12.3);
    ASSERT_STREQ(localised, " 12,3");
    EXPECT_EQ(FormatWaitSeconds(123), " 12.3");
    EXPECT_EQ(FormatWaitSeconds(60000), "6000.0");
}

// --- Sensor decision --------------------------------------------------------

TEST(SensorParams, OneValueLightGreaterThan100) {
    SensorParams params;
    params.sensor = 0;  // 光
    params.mode = SensorMode::OneValue;
    params.firstComparison = 2;  // ＞
    params.firstValue = 100;
    params.secondComparison = 3;  // ignored in one-value mode
    params.secondValue = 20;
    const NuvoInstruction written = WriteSensor(DefaultInstruction(Kind::SensorLight), params);
    EXPECT_EQ(ObjectCodeFor(SymbolClass::Sensor, 0, written, 3, 9),
              Code({0xBF, 0x31, 0x81, 0x0C, 0x64, 0x00, 0x09, 0x03}));
}

TEST(SensorParams, TwoValuesPutTheSecondComparisonInTheHighNibble) {
    SensorParams params;
    params.sensor = 0;
    params.mode = SensorMode::TwoValues;
    params.firstComparison = 2;   // ＞
    params.secondComparison = 3;  // ≦
    params.firstValue = 100;
    params.secondValue = 20;
    const NuvoInstruction written = WriteSensor(DefaultInstruction(Kind::SensorLight), params);
    EXPECT_EQ(ObjectCodeFor(SymbolClass::Sensor, 0, written, 3, 9),
              Code({0xBF, 0x31, 0x83, 0xDC, 0x64, 0x14, 0x09, 0x03}));

    const SensorParams read = ReadSensor(written);
    EXPECT_EQ(read.sensor, 0);
    EXPECT_EQ(read.mode, SensorMode::TwoValues);
    EXPECT_EQ(read.firstComparison, 2);
    EXPECT_EQ(read.secondComparison, 3);
    EXPECT_EQ(read.firstValue, 100);
    EXPECT_EQ(read.secondValue, 20);
}

TEST(SensorParams, ClampsValuesAndKeepsAnUnchosenSensor) {
    SensorParams params;
    params.sensor = -1;
    params.mode = SensorMode::TwoValues;
    params.firstValue = 300;
    params.secondValue = -5;
    const NuvoInstruction before = Code({0xBF, 0x32, 0x81, 0x09, 0x0A, 0x00, 0x04, 0x05});
    const NuvoInstruction after = WriteSensor(before, params);
    EXPECT_EQ(after, Code({0xBF, 0x32, 0x83, 0x99, 0xFF, 0x00, 0x04, 0x05}));
}

TEST(SensorParams, UnknownBytesReadAsEqualAndUnknownMode) {
    const SensorParams read = ReadSensor(Code({0xBF, 0x40, 0x85, 0x27, 0x0A, 0x00, 0xFE, 0xFE}));
    EXPECT_EQ(read.sensor, -1);
    EXPECT_EQ(read.mode, SensorMode::Unknown);
    EXPECT_EQ(read.firstComparison, 0);
    EXPECT_EQ(read.secondComparison, 0);
}

// --- Time decision and clock alarm ------------------------------------------

TEST(TimeDecisionParams, GreaterOrEqualSevenThirty) {
    const NuvoInstruction written =
        WriteTimeDecision(DefaultInstruction(Kind::TimeDecision), {4, {7, 30}});  // ≧
    EXPECT_EQ(ObjectCodeFor(SymbolClass::TimeDecision, 0, written, kNoSlot, kNoSlot),
              Code({0xBF, 0x2B, 0x81, 0x2B, 0x07, 0x1E, 0xFE, 0xFE}));
    const TimeDecisionParams read = ReadTimeDecision(written);
    EXPECT_EQ(read.comparison, 4);
    EXPECT_EQ(read.time.hour, 7);
    EXPECT_EQ(read.time.minute, 30);
}

TEST(TimeDecisionParams, WritesEveryComparisonInDialogOrder) {
    const std::uint8_t expected[] = {0x29, 0x2A, 0x2C, 0x2D, 0x2B, 0x2E};
    for (int position = 0; position < 6; ++position) {
        const NuvoInstruction written =
            WriteTimeDecision(DefaultInstruction(Kind::TimeDecision), {position, {0, 0}});
        EXPECT_EQ(written.code[3], expected[position]) << "position " << position;
        EXPECT_EQ(ReadTimeDecision(written).comparison, position);
    }
}

struct ClockCase {
    long long hour;
    long long minute;
    std::uint8_t storedHour;
    std::uint8_t storedMinute;
};

class ClockLimits : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockLimits, ClockAlarmAndTimeDecisionLimitHourAndMinute) {
    const ClockCase& c = GetParam();
    const NuvoInstruction alarm =
        WriteClockAlarm(DefaultInstruction(Kind::ClockAlarm), {c.hour, c.minute});
    EXPECT_EQ(alarm, Code({0x3F, 0x2B, 0x40, 0x00, c.storedHour, c.storedMinute, 0x00, 0xFE}));
    const NuvoInstruction decision =
        WriteTimeDecision(DefaultInstruction(Kind::TimeDecision), {0, {c.hour, c.minute}});
    EXPECT_EQ(decision.code[4], c.storedHour);
    EXPECT_EQ(decision.code[5], c.storedMinute);
}

INSTANTIATE_TEST_SUITE_P(TypedValues, ClockLimits,
                         ::testing::Values(ClockCase{7, 30, 7, 30}, ClockCase{23, 59, 23, 59},
                                           ClockCase{24, 60, 23, 59}, ClockCase{25, 75, 23, 59},
                                           ClockCase{300, 256, 23, 59},
                                           ClockCase{256, 300, 23, 59}));

// --- LED --------------------------------------------------------------------

TEST(LedParams, PurpleWithFadeOut) {
    const NuvoInstruction written =
        WriteLed(DefaultInstruction(Kind::Led), {6, false, true});  // 点灯 紫
    EXPECT_EQ(written, Code({0x3F, 0x21, 0x84, 0x08, 0x80, 0x00, 0x00, 0xFE}));
    const LedParams read = ReadLed(written);
    EXPECT_EQ(read.colour, 6);
    EXPECT_FALSE(read.fadeIn);
    EXPECT_TRUE(read.fadeOut);
}

TEST(LedParams, EveryColourRoundTripsWithBothFades) {
    for (int colour = 0; colour < static_cast<int>(kLedColours.size()); ++colour) {
        const NuvoInstruction written =
            WriteLed(DefaultInstruction(Kind::Led), {colour, true, true});
        EXPECT_EQ(written.code[2], kLedColours[colour].state | 0x06);
        const LedParams read = ReadLed(written);
        EXPECT_EQ(read.colour, colour);
        EXPECT_TRUE(read.fadeIn);
        EXPECT_TRUE(read.fadeOut);
    }
}

TEST(LedParams, UnknownColourShowsNoSelectionAndKeepsItsBytes) {
    const NuvoInstruction odd = Code({0x3F, 0x21, 0x84, 0x01, 0x23, 0x00, 0x00, 0x05});
    EXPECT_EQ(ReadLed(odd).colour, -1);
    EXPECT_EQ(WriteLed(odd, {-1, true, false}),
              Code({0x3F, 0x21, 0x82, 0x01, 0x23, 0x00, 0x00, 0x05}));
}

// --- Relay, sound, end ------------------------------------------------------

TEST(RelayParams, WritesOutputAndActionOnly) {
    const NuvoInstruction before = DefaultInstruction(Kind::Relay1);
    const NuvoInstruction after = WriteRelay(before, {1, 1});
    EXPECT_EQ(after, Code({0x2F, 0x24, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}));
    EXPECT_EQ(ReadRelay(after).output, 1);
    EXPECT_EQ(ReadRelay(after).action, 1);
}

TEST(RelayParams, ThirdOutputShowsNoSelectionAndIsKept) {
    const NuvoInstruction relay2s = DefaultInstruction(Kind::Relay3);
    EXPECT_EQ(ReadRelay(relay2s).output, -1);
    EXPECT_EQ(ReadRelay(relay2s).action, 0);
    EXPECT_EQ(WriteRelay(relay2s, {-1, 1}).code[1], 0x25);
    EXPECT_EQ(WriteRelay(relay2s, {-1, 1}).code[2], 0x00);
}

TEST(SoundParams, EveryChoiceAndVolumeRoundTrips) {
    for (int sound = 0; sound < static_cast<int>(kSounds.size()); ++sound) {
        for (int volume = 0; volume < static_cast<int>(kVolumes.size()); ++volume) {
            const NuvoInstruction before = DefaultInstruction(Kind::Sound);
            const NuvoInstruction after = WriteSound(before, {sound, volume});
            EXPECT_EQ(after.code[2], kSounds[sound].state | kVolumes[volume].value);
            EXPECT_EQ(after.code[3], kSounds[sound].sound);
            EXPECT_EQ(after.code[4], 0x00);
            ExpectFrameKept(before, after);
            const SoundParams read = ReadSound(after);
            EXPECT_EQ(read.sound, sound);
            EXPECT_EQ(read.volume, volume);
        }
    }
}

TEST(SoundParams, DefaultIsBuzzerSmallAndOddBytesReadAsNoSelection) {
    const SoundParams defaults = ReadSound(DefaultInstruction(Kind::Sound));
    EXPECT_EQ(defaults.sound, 0);
    EXPECT_EQ(defaults.volume, 0);
    const SoundParams odd = ReadSound(Code({0x37, 0x27, 0x83, 0x03, 0, 0, 0, 0xFE}));
    EXPECT_EQ(odd.sound, -1);
    EXPECT_EQ(odd.volume, -1);
}

TEST(EndParams, ActionIsTheOpcode) {
    const NuvoInstruction end = DefaultInstruction(Kind::End);
    EXPECT_EQ(ReadEndAction(end), 0);
    const NuvoInstruction toReturn = WriteEndAction(end, 1);
    EXPECT_EQ(toReturn, Code({0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(ReadEndAction(toReturn), 1);
    EXPECT_EQ(WriteEndAction(toReturn, -1), toReturn);
}

// --- Loop and subroutine call -----------------------------------------------

TEST(LoopParams, CountIsLimitedAndTheFixedBytesRestored) {
    const NuvoInstruction damaged = Code({0x7F, 0x08, 0x11, 0x22, 0x33, 0x00, 0xFE, 0x04});
    EXPECT_EQ(ReadLoopCount(damaged), 1);
    EXPECT_EQ(WriteLoopCount(damaged, 0), Code({0x7F, 0x08, 0x00, 0x1A, 0x00, 0x01, 0xFE, 0x04}));
    EXPECT_EQ(WriteLoopCount(damaged, 300).code[5], 255);
    EXPECT_EQ(WriteLoopCount(damaged, -7).code[5], 1);
    EXPECT_EQ(ReadLoopCount(WriteLoopCount(damaged, 42)), 42);
}

TEST(CallSubParams, WritesTargetAndClearsBytes3To5) {
    const NuvoInstruction before = Code({0x7F, 0x10, 0x01, 0x05, 0x06, 0x07, 0x0C, 0x04});
    EXPECT_EQ(WriteCallTarget(before, 2), Code({0x7F, 0x10, 0x02, 0x00, 0x00, 0x00, 0x0C, 0x04}));
    EXPECT_EQ(WriteCallTarget(before, 4), Code({0x7F, 0x10, 0x01, 0x00, 0x00, 0x00, 0x0C, 0x04}));
    EXPECT_EQ(ReadCallTarget(before), 1);
    EXPECT_EQ(ReadCallTarget(Code({0x7F, 0x10, 0x07, 0, 0, 0, 0xFE, 0xFE})), 0);
}

// --- Comparison vocabulary --------------------------------------------------

TEST(Comparisons, DialogOrderMapsToCodesAndSymbols) {
    const std::uint8_t codes[] = {0x9, 0xA, 0xC, 0xD, 0xB, 0xE};
    const std::string symbols[] = {"＝", "＜", "＞", "≦", "≧", "≠"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(kComparisons[i].code, codes[i]);
        EXPECT_EQ(kComparisons[i].symbol, symbols[i]);
        EXPECT_EQ(ComparisonIndex(codes[i]), i);
    }
    EXPECT_EQ(ComparisonIndex(0x8), -1);
    EXPECT_EQ(ComparisonIndex(0xF), -1);
}

}  // namespace
