// The virtual board around the engine: which program runs, reset, speed, step, clock and inputs.
#include "virtual_board.h"

#include <gtest/gtest.h>

#include "sim_test_program.h"

namespace {

using namespace sim_test;
using namespace std::chrono_literals;

// start -> red -> wait 1 s -> dark -> end
Image RedForASecond() {
    return Image().Main(1).Put(1, Start(2)).Put(2, Red(3)).Put(3, Wait(10, 4)).Put(4, Dark(5))
        .Put(5, End());
}

class VirtualBoardTest : public ::testing::Test {
protected:
    VirtualBoard::TimePoint At(std::chrono::milliseconds ms) const { return start + ms; }

    const VirtualBoard::TimePoint start{};
    VirtualBoard board{start};
};

TEST_F(VirtualBoardTest, SwitchedOnItIsResetWithEverythingOff) {
    const VirtualBoardView view = board.View(At(5s));
    EXPECT_EQ(view.state, RunState::Reset);
    EXPECT_EQ(view.outputs, EngineOutputs{});
    EXPECT_EQ(view.timeOfDay, 5000);
    EXPECT_TRUE(view.activeSlots.empty());
}

TEST_F(VirtualBoardTest, ARunWithNothingStoredEndsAtOnce) {
    board.Run(At(0ms));
    EXPECT_EQ(board.State(At(1ms)), RunState::Ended);
}

TEST_F(VirtualBoardTest, TheProgramRunsFromTheRunAtTheCallersPace) {
    board.StoreProgram(0, RedForASecond().Area(), At(0ms));
    board.Run(At(100ms));
    EXPECT_EQ(board.View(At(100ms)).outputs.led, 0);
    EXPECT_EQ(board.View(At(101ms)).outputs.led, 0xF00);
    const VirtualBoardView waiting = board.View(At(600ms));
    EXPECT_EQ(waiting.activeSlots, (std::vector<int>{3}));
    EXPECT_EQ(waiting.programTime, 500);
    EXPECT_EQ(board.View(At(1102ms)).outputs.led, 0);
    EXPECT_EQ(board.State(At(1102ms)), RunState::Running);
    const VirtualBoardView ended = board.View(At(1103ms));
    EXPECT_EQ(ended.state, RunState::Ended);
    EXPECT_EQ(ended.programTime, 1003);
}

TEST_F(VirtualBoardTest, TheLastAreaStoredIsTheOneThatRuns) {
    board.StoreProgram(1, RedForASecond().Area(), At(0ms));
    const Image green = Image().Main(1).Put(1, Start(2)).Put(2, Led(0x80, 0, 0x0F, 3)).Put(3, End());
    board.StoreProgram(0, green.Area(), At(0ms));
    board.Run(At(0ms));
    EXPECT_EQ(board.View(At(10ms)).outputs.led, 0x0F0);
    EXPECT_EQ(board.ProgramArea(1)[8 * 2 + 4], 0xF0);  // both areas keep what they received
}

TEST_F(VirtualBoardTest, ResetStopsTheProgramAndSwitchesTheOutputsOff) {
    board.StoreProgram(0, RedForASecond().Area(), At(0ms));
    board.Run(At(0ms));
    ASSERT_EQ(board.View(At(500ms)).outputs.led, 0xF00);
    board.Reset(At(500ms));
    const VirtualBoardView view = board.View(At(2s));
    EXPECT_EQ(view.state, RunState::Reset);
    EXPECT_EQ(view.outputs, EngineOutputs{});
}

TEST_F(VirtualBoardTest, StoringAProgramResetsTheOneRunning) {
    board.StoreProgram(0, RedForASecond().Area(), At(0ms));
    board.Run(At(0ms));
    board.StoreProgram(0, RedForASecond().Area(), At(500ms));
    EXPECT_EQ(board.State(At(600ms)), RunState::Reset);
}

TEST_F(VirtualBoardTest, TenTimesFasterRunsTenProgramMillisecondsPerMillisecond) {
    board.StoreProgram(0, RedForASecond().Area(), At(0ms));
    board.Run(At(0ms));
    board.SetSpeed(BoardSpeed::Fast, At(50ms));  // program time 50 from here on runs ten-fold
    EXPECT_EQ(board.View(At(100ms)).programTime, 550);
    EXPECT_EQ(board.State(At(145ms)), RunState::Running);
    EXPECT_EQ(board.View(At(146ms)).programTime, 1003);
    EXPECT_EQ(board.State(At(146ms)), RunState::Ended);
}

TEST_F(VirtualBoardTest, StepModeRunsOneInstructionPerStepAndStandsStillBetween) {
    board.StoreProgram(0, RedForASecond().Area(), At(0ms));
    board.SetSpeed(BoardSpeed::Step, At(0ms));
    board.Run(At(0ms));
    EXPECT_EQ(board.View(At(10s)).programTime, 0);
    std::vector<SimTime> times;
    while (board.Step(At(10s))) times.push_back(board.View(At(10s)).programTime);
    EXPECT_EQ(times, (std::vector<SimTime>{0, 1, 2, 1002, 1003}));
    EXPECT_EQ(board.State(At(10s)), RunState::Ended);

    board.SetSpeed(BoardSpeed::Normal, At(10s));
    EXPECT_FALSE(board.Step(At(10s)));  // only in step mode
}

TEST_F(VirtualBoardTest, BackFromStepModeTimeRunsOnFromWhereTheStepsLeftIt) {
    board.StoreProgram(0, RedForASecond().Area(), At(0ms));
    board.SetSpeed(BoardSpeed::Step, At(0ms));
    board.Run(At(0ms));
    for (int i = 0; i < 3; ++i) board.Step(At(0ms));  // start, red, wait
    board.SetSpeed(BoardSpeed::Normal, At(5s));
    EXPECT_EQ(board.View(At(5s + 999ms)).outputs.led, 0xF00);
    EXPECT_EQ(board.View(At(6s)).outputs.led, 0);
}

TEST_F(VirtualBoardTest, TheClockRunsFromItsSettingAndTheProgramReadsIt) {
    board.SetTimeOfDay(7 * 3600 * 1000 + 29 * 60 * 1000 + 59 * 1000, At(0ms));  // 07:29:59
    EXPECT_EQ(board.View(At(1s)).timeOfDay, 7 * 3600 * 1000 + 30 * 60 * 1000);
    // start -> 07:30? red : green -> end, run at 07:30:00
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, TimeDecision(0x9, 7, 30, 3, 4))
                            .Put(3, Red(5)).Put(4, Led(0x80, 0, 0x0F, 5)).Put(5, End());
    board.StoreProgram(0, image.Area(), At(1s));
    board.Run(At(1s));
    EXPECT_EQ(board.View(At(2s)).outputs.led, 0xF00);
}

TEST_F(VirtualBoardTest, InputsSetBeforeAndDuringARunReachTheDecisions) {
    board.SetInputs({.switchOn = true}, At(0ms));
    // start -> switch? red : dark -> wait 0.1 s -> back to the decision
    const Image image = Image().Main(1).Put(1, Start(2)).Put(2, Switch(0x35, 3, 4))
                            .Put(3, Red(5)).Put(4, Dark(5)).Put(5, Wait(1, 2));
    board.StoreProgram(0, image.Area(), At(0ms));
    board.Run(At(0ms));
    EXPECT_EQ(board.View(At(50ms)).outputs.led, 0xF00);
    board.SetInputs({}, At(50ms));
    EXPECT_EQ(board.View(At(104ms)).outputs.led, 0);
    EXPECT_FALSE(board.View(At(104ms)).inputs.switchOn);
}

TEST_F(VirtualBoardTest, TheMelodyIsKeptAsReceived) {
    std::vector<std::uint8_t> melody(kMelodyImageBytes, 0x21);
    board.StoreMelody(melody);
    EXPECT_EQ(board.Melody()[1023], 0x21);
}

}  // namespace
