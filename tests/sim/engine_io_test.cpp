// The engine's outputs and inputs with exact times: LED, relays, sound, the clock alarm,
// sensor, switch, time and timer decisions, inputs changed on the way, reading the area.
#include <gtest/gtest.h>

#include "nuvo_engine.h"
#include "sim_test_program.h"

namespace {

using namespace sim_test;

// start -> the instruction (slot 2) -> end: it executes at 1 ms, the end at 2.
Text Around(const Code& instruction) {
    return Lines(Image().Main(1).Put(1, Start(2)).Put(2, instruction).Put(3, End()), 100);
}

struct OutputCase {
    std::string name;
    Code instruction;
    std::string change;  // empty: no output changes
};

class Outputs : public ::testing::TestWithParam<OutputCase> {};

TEST_P(Outputs, ChangeAtTheInstructionsTime) {
    Text expected;
    if (!GetParam().change.empty()) expected.push_back("1 " + GetParam().change);
    expected.push_back("2 end ended");
    EXPECT_EQ(Around(GetParam().instruction), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Outputs,
    ::testing::Values(
        OutputCase{"LedRed", Led(0x80, 0x00, 0xF0, 3), "led F00"},
        OutputCase{"LedOrange", Led(0x80, 0x00, 0xC4, 3), "led C40"},
        OutputCase{"LedYellow", Led(0x80, 0x00, 0x88, 3), "led 880"},
        OutputCase{"LedGreen", Led(0x80, 0x00, 0x0F, 3), "led 0F0"},
        OutputCase{"LedBlue", Led(0x80, 0x0F, 0x00, 3), "led 00F"},
        OutputCase{"LedIndigo", Led(0x80, 0x0C, 0x04, 3), "led 04C"},
        OutputCase{"LedPurpleFadingOut", Led(0x84, 0x08, 0x80, 3), "led 808"},
        OutputCase{"LedFadingInShowsItsColourAtOnce", Led(0x82, 0x00, 0xF0, 3), "led F00"},
        OutputCase{"LedDarkWhenAlreadyDark", Led(0x00, 0x00, 0x00, 3), ""},
        OutputCase{"LedDarkKeepsNoColour", Led(0x00, 0x00, 0xF0, 3), ""},
        OutputCase{"WhiteLedOn", Relay(0x23, 0x80, 3), "white-led on"},
        OutputCase{"UsbPowerOn", Relay(0x24, 0x80, 3), "usb-power on"},
        OutputCase{"ThirdOutputOn", Relay(0x25, 0x80, 3), "output3 on"},
        OutputCase{"WhiteLedOffWhenAlreadyOff", Relay(0x23, 0x00, 3), ""},
        OutputCase{"BuzzerSmall", Sound(0x81, 0x01, 3), "sound buzzer 1"},
        OutputCase{"AlarmMedium", Sound(0x82, 0x02, 3), "sound alarm 2"},
        OutputCase{"MelodyLarge", Sound(0x84, 0x04, 3), "sound melody 3"},
        OutputCase{"OwnMelodySmall", Sound(0x81, 0x08, 3), "sound own-melody 1"},
        OutputCase{"SoundStopWhenSilent", Sound(0x00, 0x00, 3), ""},
        OutputCase{"ClockAlarm", Alarm(7, 30, 3), "alarm 07:30"},
        OutputCase{"ClockAlarmTimeAsTheDialogLimitsIt", Alarm(30, 75, 3), "alarm 23:59"},
        OutputCase{"WaitChangesNothing", Wait(0, 3), ""},
        OutputCase{"TimerResetChangesNothing", TimerReset(3), ""}),
    [](const auto& info) { return info.param.name; });

TEST(OutputChanges, EachChangeIsOneLineAndRepeatsAreNone) {
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, Red(3)).Put(3, Red(4))
                            .Put(4, Sound(0x81, 0x01, 5)).Put(5, Sound(0x82, 0x01, 6))
                            .Put(6, Relay(0x24, 0x80, 7)).Put(7, Relay(0x24, 0x00, 8))
                            .Put(8, Sound(0x00, 0x00, 9)).Put(9, Dark(10)).Put(10, End());
    EXPECT_EQ(Lines(image, 100), (Text{"1 led F00", "3 sound buzzer 1", "4 sound buzzer 2",
                                       "5 usb-power on", "6 usb-power off", "7 sound off",
                                       "8 led 000", "9 end ended"}));
}

struct DecisionCase {
    std::string name;
    Code decision;  // yes -> slot 3, no -> slot 4
    EngineInputs inputs;
    SimTime timeOfDay;
    bool yes;
};

class Decisions : public ::testing::TestWithParam<DecisionCase> {};

// start -> decision (1 ms) -> red (yes) or green (no) at 2 ms -> end.
TEST_P(Decisions, FollowTheNextExitWhenTrueAndTheBranchWhenFalse) {
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, GetParam().decision)
                            .Put(3, Red(5)).Put(4, Led(0x80, 0x00, 0x0F, 5)).Put(5, End());
    const Text lines = Lines(image, 100, GetParam().inputs, GetParam().timeOfDay);
    EXPECT_EQ(lines, (Text{GetParam().yes ? "2 led F00" : "2 led 0F0", "3 end ended"}));
}

EngineInputs Light(int lux) { return {.light = lux}; }
EngineInputs Temperature(int celsius) { return {.temperature = celsius}; }
EngineInputs SoundLevel(int level) { return {.sound = level}; }
constexpr SimTime At(int hour, int minute, int second = 0) {
    return ((hour * 60LL + minute) * 60 + second) * 1000;
}

// Light decision, one value: light op first.
Code LightIs(B comparison, B first) { return Sensor(0x31, 0x81, comparison, first, 0, 3, 4); }
// Light decision, two values: second op2 light, and light op1 first.
Code LightBetween(B second, B op2, B op1, B first) {
    return Sensor(0x31, 0x83, static_cast<B>(op2 << 4 | op1), first, second, 3, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Sensors, Decisions,
    ::testing::Values(
        DecisionCase{"EqualYes", LightIs(0x9, 10), Light(10), 0, true},
        DecisionCase{"EqualNo", LightIs(0x9, 10), Light(11), 0, false},
        DecisionCase{"LessYes", LightIs(0xA, 100), Light(99), 0, true},
        DecisionCase{"LessNo", LightIs(0xA, 100), Light(100), 0, false},
        DecisionCase{"AtLeastYes", LightIs(0xB, 100), Light(100), 0, true},
        DecisionCase{"AtLeastNo", LightIs(0xB, 100), Light(99), 0, false},
        DecisionCase{"GreaterYes", LightIs(0xC, 100), Light(101), 0, true},
        DecisionCase{"GreaterNo", LightIs(0xC, 100), Light(100), 0, false},
        DecisionCase{"AtMostYes", LightIs(0xD, 100), Light(100), 0, true},
        DecisionCase{"AtMostNo", LightIs(0xD, 100), Light(101), 0, false},
        DecisionCase{"NotEqualYes", LightIs(0xE, 100), Light(0), 0, true},
        DecisionCase{"NotEqualNo", LightIs(0xE, 100), Light(100), 0, false},
        DecisionCase{"AnUnknownComparisonIsEqual", LightIs(0x0, 7), Light(7), 0, true},
        DecisionCase{"ReadingsAbove255CompareInFull", LightIs(0xC, 255), Light(1000), 0, true},
        DecisionCase{"TemperatureBelowZero", Sensor(0x32, 0x81, 0xA, 0, 0, 3, 4),
                     Temperature(-5), 0, true},
        DecisionCase{"TemperatureNotTheLight", Sensor(0x32, 0x81, 0xC, 30, 0, 3, 4),
                     {.light = 999, .temperature = 20}, 0, false},
        DecisionCase{"SoundLevel", Sensor(0x33, 0x81, 0xB, 200, 0, 3, 4), SoundLevel(255), 0,
                     true},
        DecisionCase{"TwoValuesInside", LightBetween(20, 0xD, 0xD, 100), Light(20), 0, true},
        DecisionCase{"TwoValuesUpperEdge", LightBetween(20, 0xD, 0xD, 100), Light(100), 0, true},
        DecisionCase{"TwoValuesBelow", LightBetween(20, 0xD, 0xD, 100), Light(19), 0, false},
        DecisionCase{"TwoValuesAbove", LightBetween(20, 0xD, 0xD, 100), Light(101), 0, false},
        // 20 ≦ light ＞ 100, read left to right
        DecisionCase{"TwoValuesReadLeftToRight", LightBetween(20, 0xD, 0xC, 100), Light(150), 0,
                     true},
        DecisionCase{"AnUnknownModeComparesOneValue", Sensor(0x31, 0x80, 0x1C, 100, 200, 3, 4),
                     Light(150), 0, true}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Switches, Decisions,
    ::testing::Values(
        DecisionCase{"SwitchOn", Switch(0x35, 3, 4), {.switchOn = true}, 0, true},
        DecisionCase{"SwitchOff", Switch(0x35, 3, 4), {}, 0, false},
        DecisionCase{"SecondInputOn", Switch(0x36, 3, 4), {.input2 = true}, 0, true},
        DecisionCase{"SecondInputIsNotTheSwitch", Switch(0x36, 3, 4), {.switchOn = true}, 0,
                     false},
        DecisionCase{"ThirdInputOn", Switch(0x37, 3, 4), {.input3 = true}, 0, true},
        DecisionCase{"ThirdInputOffUnlessSet", Switch(0x37, 3, 4), {}, 0, false}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Clock, Decisions,
    ::testing::Values(
        DecisionCase{"EqualInTheMinute", TimeDecision(0x9, 7, 30, 3, 4), {}, At(7, 30, 59), true},
        DecisionCase{"EqualNotTheNextMinute", TimeDecision(0x9, 7, 30, 3, 4), {}, At(7, 31), false},
        DecisionCase{"BeforeYes", TimeDecision(0xA, 7, 30, 3, 4), {}, At(7, 29, 59), true},
        DecisionCase{"BeforeNo", TimeDecision(0xA, 7, 30, 3, 4), {}, At(7, 30), false},
        DecisionCase{"AfterYes", TimeDecision(0xC, 7, 30, 3, 4), {}, At(7, 31), true},
        DecisionCase{"FromYes", TimeDecision(0xB, 7, 30, 3, 4), {}, At(7, 30), true},
        DecisionCase{"UntilNo", TimeDecision(0xD, 7, 30, 3, 4), {}, At(7, 31), false},
        DecisionCase{"NotAtYes", TimeDecision(0xE, 7, 30, 3, 4), {}, At(12, 0), true},
        DecisionCase{"MidnightIsZero", TimeDecision(0x9, 0, 0, 3, 4), {}, At(0, 0), true}),
    [](const auto& info) { return info.param.name; });

struct TimerCase {
    B comparison;
    int value;
    bool yes;
};

class Timer : public ::testing::TestWithParam<TimerCase> {};

// start -> wait 0.5 s -> timer reset (501) -> wait 0.3 s -> decision at 802: 3 tenths.
TEST_P(Timer, CountsTenthsSinceTheLastReset) {
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, Wait(5, 3)).Put(3, TimerReset(4))
                            .Put(4, Wait(3, 5))
                            .Put(5, TimerDecision(GetParam().comparison, GetParam().value, 6, 7))
                            .Put(6, Red(8)).Put(7, Led(0x80, 0x00, 0x0F, 8)).Put(8, End());
    EXPECT_EQ(Lines(image, 5000),
              (Text{GetParam().yes ? "803 led F00" : "803 led 0F0", "804 end ended"}));
}

INSTANTIATE_TEST_SUITE_P(Table, Timer,
                         ::testing::Values(TimerCase{0x9, 3, true}, TimerCase{0x9, 2, false},
                                           TimerCase{0xA, 4, true}, TimerCase{0xA, 3, false},
                                           TimerCase{0xB, 3, true}, TimerCase{0xC, 2, true},
                                           TimerCase{0xC, 3, false}, TimerCase{0xD, 2, false},
                                           TimerCase{0xE, 3, false}, TimerCase{0xE, 300, true}));

TEST(TimerStart, TheTimerRunsFromTheProgramsStart) {
    // The default timer decision: timer = 9.0 s. Decided at 9001 ms after waiting 9 s.
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, Wait(90, 3))
                            .Put(3, TimerDecision(0x9, 90, 4, 5)).Put(4, Red(6))
                            .Put(5, Led(0x80, 0x00, 0x0F, 6)).Put(6, End());
    EXPECT_EQ(Lines(image, 20000), (Text{"9002 led F00", "9003 end ended"}));
}

struct AlarmCase {
    std::string name;
    SimTime timeOfDay;
    Text expected;
};

class ClockAlarm : public ::testing::TestWithParam<AlarmCase> {};

// start -> alarm 00:01 -> wait 100 s -> end
TEST_P(ClockAlarm, SoundsWhenTheClockReachesIt) {
    const Image image =
        Image().Main(1).Put(1, Start(2)).Put(2, Alarm(0, 1, 3)).Put(3, Wait(1000, 4)).Put(4, End());
    EXPECT_EQ(Lines(image, 200000, {}, GetParam().timeOfDay), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClockAlarm,
    ::testing::Values(
        AlarmCase{"FromMidnight", 0, {"1 alarm 00:01", "60000 sound alarm 2", "100002 end ended"}},
        AlarmCase{"HalfAMinuteBefore", At(0, 0, 30),
                  {"1 alarm 00:01", "30000 sound alarm 2", "100002 end ended"}},
        AlarmCase{"AcrossMidnight", At(23, 59, 30),
                  {"1 alarm 00:01", "90000 sound alarm 2", "100002 end ended"}},
        AlarmCase{"AlreadyInThatMinuteWaitsForTomorrow", At(0, 1, 10),
                  {"1 alarm 00:01", "100002 end ended"}}),
    [](const auto& info) { return info.param.name; });

TEST(ClockAlarmAfterEnd, AnEndedProgramSoundsNoAlarm) {
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, Alarm(0, 1, 3)).Put(3, End());
    EXPECT_EQ(Lines(image, 200000), (Text{"1 alarm 00:01", "2 end ended"}));
}

// start -> switch? red : dark -> wait 0.1 s -> back to the decision
Image FollowTheSwitch() {
    return Image().Main(1).Put(1, Start(2)).Put(2, Switch(0x35, 3, 4)).Put(3, Red(5))
        .Put(4, Dark(5)).Put(5, Wait(1, 2));
}

TEST(InputsOnTheWay, ADecisionReadsTheInputsOfItsMoment) {
    NuvoEngine engine(FollowTheSwitch().Program());
    engine.RecordEvents(true);
    engine.RunUntil(500);
    engine.SetInputs({.switchOn = true});  // decisions every 102 ms: 1, 103, ..., 409, 511
    engine.RunUntil(1000);
    engine.SetInputs({});
    engine.RunUntil(1200);
    std::vector<SimTime> times;
    for (const OutputEvent& event : engine.TakeEvents()) times.push_back(event.time);
    EXPECT_EQ(times, (std::vector<SimTime>{512, 1022}));  // decided at 511 and 1021
}

TEST(ClockOnTheWay, SettingTheClockMovesTheAlarm) {
    const Image image =
        Image().Main(1).Put(1, Start(2)).Put(2, Alarm(7, 0, 3)).Put(3, Wait(60000, 4));
    NuvoEngine engine(image.Program(), {}, At(6, 0));
    engine.RecordEvents(true);
    engine.RunUntil(1000);
    EXPECT_EQ(engine.TimeOfDay(), At(6, 0, 1));
    engine.SetTimeOfDay(At(6, 59, 50));
    engine.RunUntil(20000);
    const auto events = engine.TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].time, 11000);
    EXPECT_EQ(events[1].outputs.sound, SoundKind::Alarm);
    EXPECT_EQ(engine.TimeOfDay(), At(7, 0, 9));
}

TEST(ProgramArea, EntriesComeFromTheAreaAsReceived) {
    std::vector<std::uint8_t> area(kStorageAreaBytes, 0xFF);
    area[7] = 0x01;
    const Code start = Start(2);
    std::copy(start.begin(), start.end(), area.begin() + 8);
    std::fill(area.end() - 8, area.end(), 0x00);  // where a 256th entry would be
    const EngineProgram program = EngineProgram::FromArea(area);
    EXPECT_EQ(program.MainStart(), 0x01);
    EXPECT_EQ(program.Entry(1), start);
    EXPECT_TRUE(program.IsEmpty(254));
    EXPECT_FALSE(program.IsEmpty(1));

    const EngineProgram cut = EngineProgram::FromArea(std::span(area).first(16));
    EXPECT_EQ(cut.Entry(1), start);
    EXPECT_TRUE(cut.IsEmpty(2));
}

TEST(ProgramArea, SubChartStartsAreEveryOtherStartInSlotOrder) {
    const Image image = Image().Main(5).Put(5, Start(6)).Put(30, Start(31)).Put(9, Start(10))
                            .Put(12, {0xBF, 0x01, 0, 0, 0, 0, 0, 0});  // not a start's layout
    EXPECT_EQ(image.Program().SubChartStarts(), (std::vector<int>{9, 30}));
}

}  // namespace
