// The engine's flow rules with exact times: start and timing, the end, faults,
// loops, calls and parallel runs, each family a table of programs and timelines.
#include <gtest/gtest.h>

#include "nuvo_engine.h"
#include "sim_test_program.h"

namespace {

using namespace sim_test;

struct TimelineCase {
    std::string name;
    Image image;
    SimTime limit;
    Text expected;
};

void PrintTo(const TimelineCase& c, std::ostream* os) { *os << c.name; }

class Timelines : public ::testing::TestWithParam<TimelineCase> {};

TEST_P(Timelines, RunAsExpected) {
    EXPECT_EQ(Lines(GetParam().image, GetParam().limit), GetParam().expected);
}

std::string CaseName(const ::testing::TestParamInfo<TimelineCase>& info) { return info.param.name; }

// start -> red -> wait (tenths) -> dark -> end
Image RedForAWhile(int tenths) {
    return Image().Main(1).Put(1, Start(2)).Put(2, Red(3)).Put(3, Wait(tenths, 4)).Put(4, Dark(5))
        .Put(5, End());
}

INSTANTIATE_TEST_SUITE_P(
    StartAndTime, Timelines,
    ::testing::Values(
        TimelineCase{"TheExampleOfTheCommandLine", RedForAWhile(10), 60000,
                     {"1 led F00", "1002 led 000", "1003 end ended"}},
        TimelineCase{"AWaitOfNothingStillTakesAMillisecond", RedForAWhile(0), 60000,
                     {"1 led F00", "3 led 000", "4 end ended"}},
        TimelineCase{"ATenthIs100ms", RedForAWhile(1), 60000,
                     {"1 led F00", "102 led 000", "103 end ended"}},
        TimelineCase{"TheLongestWait", RedForAWhile(60000), 7000000,
                     {"1 led F00", "6000002 led 000", "6000003 end ended"}},
        TimelineCase{"NoStartInTheMainChartRunsNothing", Image().Main(0xFE).Put(1, Red(2)), 60000,
                     {"0 end ended"}},
        TimelineCase{"TheStartSlotIsEntryZerosLastByte",
                     Image().Main(7).Put(1, Red(2)).Put(7, Start(8)).Put(8, End()), 60000,
                     {"1 end ended"}},
        TimelineCase{"TheLimitStopsARunningProgram", RedForAWhile(600), 5000,
                     {"1 led F00", "5000 end running"}},
        TimelineCase{"AnEndAtTheLimitIsAnEnd", RedForAWhile(10), 1003,
                     {"1 led F00", "1002 led 000", "1003 end ended"}},
        TimelineCase{"ReturnWithNothingToReturnToEnds",
                     Image().Main(1).Put(1, Start(2)).Put(2, Red(3)).Put(3, Return()), 60000,
                     {"1 led F00", "2 end ended"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Faults, Timelines,
    ::testing::Values(
        TimelineCase{"StartSlotZero", Image().Main(0x00), 100,
                     {"0 end error the start entry leads to slot 0, outside 1-250"}},
        TimelineCase{"StartSlotOfAnErasedArea", Image(), 100,
                     {"0 end error the start entry leads to slot 255, outside 1-250"}},
        TimelineCase{"StartInAnEmptySlot", Image().Main(5), 100,
                     {"0 end error slot 5 holds no instruction"}},
        TimelineCase{"NextSlotNone", Image().Main(1).Put(1, Start(2)).Put(2, Red(0xFE)), 100,
                     {"1 led F00", "2 end error slot 2 leads nowhere"}},
        TimelineCase{"NextSlotMetAfterTheWait",
                     Image().Main(1).Put(1, Start(2)).Put(2, Wait(10, 0xFE)), 5000,
                     {"1001 end error slot 2 leads nowhere"}},
        TimelineCase{"NextSlotOutOfRange", Image().Main(1).Put(1, Start(2)).Put(2, Red(251)), 100,
                     {"1 led F00", "2 end error slot 2 leads to slot 251, outside 1-250"}},
        TimelineCase{"NextSlotZero", Image().Main(1).Put(1, Start(0)), 100,
                     {"1 end error slot 1 leads to slot 0, outside 1-250"}},
        TimelineCase{"BranchToAnEmptySlot",
                     Image().Main(1).Put(1, Start(2)).Put(2, Switch(0x35, 3, 9)).Put(3, End()), 100,
                     {"2 end error slot 9 holds no instruction"}},
        TimelineCase{"UnknownOpcode",
                     Image().Main(1).Put(1, Start(2)).Put(2, {0x3F, 0x44, 0, 0, 0, 0, 0, 3}), 100,
                     {"1 end error slot 2 holds the unknown opcode 0x44"}},
        TimelineCase{"NopIsNoInstruction",
                     Image().Main(1).Put(1, Start(2)).Put(2, {0x3F, 0x00, 0, 0, 0, 0, 0, 3}), 100,
                     {"1 end error slot 2 holds the unknown opcode 0x00"}},
        TimelineCase{"CallOfAChartWithoutStart",
                     Image().Main(1).Put(1, Start(2)).Put(2, Call(2, 0xFE, 3)).Put(3, End()), 100,
                     {"2 end error slot 2 calls sub chart 2, which has no start"}},
        TimelineCase{"LoopEndWithNoOpenLoop",
                     Image().Main(1).Put(1, Start(2)).Put(2, LoopEnd(3)).Put(3, End()), 100,
                     {"2 end error slot 2 ends a loop that is not open"}},
        // Main calls sub chart 1 (slot 10), which calls itself: the ninth call fails.
        TimelineCase{"CallsNestedDeeperThanEight",
                     Image().Main(1).Put(1, Start(2)).Put(2, Call(1, 10, 3)).Put(3, End())
                         .Put(10, Start(11)).Put(11, Call(1, 10, 12)).Put(12, Return()),
                     100, {"18 end error slot 11 nests calls deeper than 8"}},
        TimelineCase{"ReturnToACallWithoutNext",
                     Image().Main(1).Put(1, Start(2)).Put(2, Call(1, 10, 0xFE)).Put(10, Start(11))
                         .Put(11, Return()),
                     100, {"4 end error slot 2 leads nowhere"}}),
    CaseName);

// start -> loop begin (count) -> red -> dark -> loop end -> end
Image RedDarkTimes(B count) {
    return Image().Main(1).Put(1, Start(2)).Put(2, LoopBegin(count, 3)).Put(3, Red(4))
        .Put(4, Dark(5)).Put(5, LoopEnd(6)).Put(6, End());
}

INSTANTIATE_TEST_SUITE_P(
    Loops, Timelines,
    ::testing::Values(
        TimelineCase{"Once", RedDarkTimes(1), 100, {"2 led F00", "3 led 000", "5 end ended"}},
        TimelineCase{"ACountOfNothingRunsOnce", RedDarkTimes(0), 100,
                     {"2 led F00", "3 led 000", "5 end ended"}},
        TimelineCase{"ThreeTimes", RedDarkTimes(3), 100,
                     {"2 led F00", "3 led 000", "5 led F00", "6 led 000", "8 led F00", "9 led 000",
                      "11 end ended"}},
        // outer 2 x inner 2
        TimelineCase{"NestedLoopsCloseInnermostFirst",
                     Image().Main(1).Put(1, Start(2)).Put(2, LoopBegin(2, 3))
                         .Put(3, LoopBegin(2, 4)).Put(4, Red(5)).Put(5, Dark(6)).Put(6, LoopEnd(7))
                         .Put(7, LoopEnd(8)).Put(8, End()),
                     100,
                     {"3 led F00", "4 led 000", "6 led F00", "7 led 000", "11 led F00",
                      "12 led 000", "14 led F00", "15 led 000", "18 end ended"}},
        // The timer sends the first pass back to the loop begin, which opens
        // the loop afresh instead of a second time: the second loop end finds none.
        TimelineCase{"ALoopBeginReachedAgainStartsItsLoopAfresh",
                     Image().Main(1).Put(1, Start(2)).Put(2, LoopBegin(2, 3)).Put(3, Wait(1, 4))
                         .Put(4, TimerDecision(0xC, 1, 5, 2)).Put(5, Red(6)).Put(6, LoopEnd(7))
                         .Put(7, LoopEnd(8)).Put(8, End()),
                     1000, {"205 led F00", "311 end error slot 7 ends a loop that is not open"}},
        // A sub chart's loop end does not close the caller's loop.
        TimelineCase{"ALoopEndInASubChartClosesOnlyItsOwnLoops",
                     Image().Main(1).Put(1, Start(2)).Put(2, LoopBegin(2, 3))
                         .Put(3, Call(1, 10, 4)).Put(4, LoopEnd(5)).Put(5, End())
                         .Put(10, Start(11)).Put(11, LoopEnd(12)).Put(12, Return()),
                     100, {"5 end error slot 11 ends a loop that is not open"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Calls, Timelines,
    ::testing::Values(
        TimelineCase{"TheCallReturnsAfterTheSubChart",
                     Image().Main(1).Put(1, Start(2)).Put(2, Call(1, 10, 3)).Put(3, Red(4))
                         .Put(4, End()).Put(10, Start(11)).Put(11, Wait(10, 12)).Put(12, Return()),
                     5000, {"1004 led F00", "1005 end ended"}},
        TimelineCase{"AnEndInASubChartEndsTheProgram",
                     Image().Main(1).Put(1, Start(2)).Put(2, Call(1, 10, 3)).Put(3, Red(4))
                         .Put(4, End()).Put(10, Start(11)).Put(11, End()),
                     5000, {"3 end ended"}},
        // Sub chart 1 calls itself every 103 ms while the timer is under 0.8 s:
        // eight calls deep, then eight returns.
        TimelineCase{"EightNestedCallsAreAllowed",
                     Image().Main(1).Put(1, Start(2)).Put(2, Call(1, 10, 3)).Put(3, End())
                         .Put(10, Start(11)).Put(11, Wait(1, 12))
                         .Put(12, TimerDecision(0xA, 8, 13, 14)).Put(13, Call(1, 10, 14))
                         .Put(14, Return()),
                     5000, {"833 end ended"}}),
    CaseName);

// Main: start -> red -> parallel. Sub chart starts at 10 and 20.
Image ParallelWith(std::initializer_list<std::pair<int, Code>> subs) {
    Image image;
    image.Main(1).Put(1, Start(2)).Put(2, Red(3)).Put(3, Parallel());
    for (const auto& [slot, code] : subs) image.Put(slot, code);
    return image;
}

INSTANTIATE_TEST_SUITE_P(
    Parallel, Timelines,
    ::testing::Values(
        TimelineCase{"SubChartsRunInterleavedUntilTheLastEnds",
                     ParallelWith({{10, Start(11)}, {11, Wait(10, 12)}, {12, Relay(0x23, 0x80, 13)},
                                   {13, Return()}, {20, Start(21)}, {21, Relay(0x24, 0x80, 22)},
                                   {22, Wait(5, 23)}, {23, Return()}}),
                     5000, {"1 led F00", "4 usb-power on", "1004 white-led on", "1005 end ended"}},
        TimelineCase{"TiesGoToTheLowerStartSlot",
                     ParallelWith({{10, Start(11)}, {11, Dark(12)}, {12, Return()},
                                   {20, Start(21)}, {21, Led(0x80, 0x00, 0x0F, 22)},
                                   {22, Return()}}),
                     5000, {"1 led F00", "4 led 000", "4 led 0F0", "5 end ended"}},
        TimelineCase{"AnEndInOneSubChartEndsThemAll",
                     ParallelWith({{10, Start(11)}, {11, Wait(10, 12)}, {12, Dark(13)},
                                   {13, Return()}, {20, Start(21)}, {21, End()}}),
                     5000, {"1 led F00", "4 end ended"}},
        TimelineCase{"WithoutSubChartsTheProgramEndsThere", ParallelWith({}), 5000,
                     {"1 led F00", "2 end ended"}},
        TimelineCase{"AFaultInOneSubChartStopsEverything",
                     ParallelWith({{10, Start(11)}, {11, Wait(10, 12)}, {12, Dark(13)},
                                   {13, Return()}, {20, Start(21)}, {21, LoopEnd(22)}}),
                     5000, {"1 led F00", "5 end error slot 21 ends a loop that is not open"}}),
    CaseName);

TEST(EngineSteps, StepOneExecutesOneInstructionAtItsTime) {
    NuvoEngine engine(RedForAWhile(10).Program());
    std::vector<SimTime> times;
    std::vector<std::vector<int>> slots;
    while (engine.StepOne()) {
        times.push_back(engine.Now());
        slots.push_back(engine.ActiveSlots());
    }
    EXPECT_EQ(times, (std::vector<SimTime>{0, 1, 2, 1002, 1003}));
    EXPECT_EQ(slots, (std::vector<std::vector<int>>{{1}, {2}, {3}, {4}, {}}));
    EXPECT_EQ(engine.State(), RunState::Ended);
    EXPECT_EQ(engine.EndTime(), 1003);
}

TEST(EngineSteps, ActiveSlotsShowWhatEachFlowIsDoing) {
    NuvoEngine engine(ParallelWith({{10, Start(11)}, {11, Wait(10, 12)}, {12, Return()},
                                    {20, Start(21)}, {21, Wait(5, 22)}, {22, Return()}})
                          .Program());
    engine.RunUntil(1);
    EXPECT_EQ(engine.ActiveSlots(), (std::vector<int>{2}));
    engine.RunUntil(300);
    EXPECT_EQ(engine.ActiveSlots(), (std::vector<int>{11, 21}));
    EXPECT_EQ(engine.Now(), 300);
    engine.RunUntil(600);
    EXPECT_EQ(engine.ActiveSlots(), (std::vector<int>{11}));
}

TEST(EngineSteps, AnEndlessLoopWithoutWaitsRunsOneInstructionAMillisecond) {
    // start -> red -> dark -> red ... for ever
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, Red(3)).Put(3, Dark(2));
    NuvoEngine engine(image.Program());
    engine.RecordEvents(true);
    engine.RunUntil(60000);
    EXPECT_EQ(engine.State(), RunState::Running);
    EXPECT_EQ(engine.TakeEvents().size(), 60000u);
    EXPECT_TRUE(engine.TakeEvents().empty());
}

}  // namespace
