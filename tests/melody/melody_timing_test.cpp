// Pitches of staff positions, durations of symbols and the tempo's range.
#include <gtest/gtest.h>

#include "melody_note.h"
#include "melody_timing.h"

namespace {

struct PitchCase {
    int y;
    bool flat;
    bool sharp;
    int note;
};

class Pitch : public ::testing::TestWithParam<PitchCase> {};

TEST_P(Pitch, FollowsTheStaffAndTheAccidentals) {
    const PitchCase c = GetParam();
    EXPECT_EQ(PitchOfPosition(c.y, c.flat, c.sharp), c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Staff, Pitch,
    ::testing::Values(PitchCase{12, false, false, 83}, PitchCase{28, false, false, 76},
                      PitchCase{40, false, false, 71}, PitchCase{44, false, false, 69},
                      PitchCase{64, false, false, 60}, PitchCase{76, false, false, 55},
                      PitchCase{40, false, true, 72}, PitchCase{40, true, false, 70},
                      PitchCase{40, true, true, 71}, PitchCase{12, false, true, 84},
                      PitchCase{76, true, false, 54},
                      // Off the staff or between its positions: no pitch.
                      PitchCase{80, false, false, 255}, PitchCase{8, false, false, 255},
                      PitchCase{42, false, false, 255}, PitchCase{-4, false, false, 255}));

struct DurationCase {
    MelodySymbol type;
    bool dotted;
    int tempo;
    int milliseconds;
};

class Duration : public ::testing::TestWithParam<DurationCase> {};

TEST_P(Duration, ScalesWithTempoAndDot) {
    const DurationCase c = GetParam();
    EXPECT_EQ(DurationOf(TypeOf(c.type), c.dotted, c.tempo), c.milliseconds);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, Duration,
    ::testing::Values(DurationCase{MelodySymbol::QuarterNote, false, 120, 500},
                      DurationCase{MelodySymbol::EighthNote, true, 120, 375},
                      DurationCase{MelodySymbol::WholeNote, false, 40, 6000},
                      DurationCase{MelodySymbol::WholeRest, true, 40, 9000},
                      DurationCase{MelodySymbol::SixteenthNote, false, 200, 75},
                      DurationCase{MelodySymbol::HalfRest, false, 120, 1000},
                      // Tempi outside the range are limited instead of dividing by them.
                      DurationCase{MelodySymbol::QuarterNote, false, 0, 1500},
                      DurationCase{MelodySymbol::QuarterNote, false, -5, 1500},
                      DurationCase{MelodySymbol::QuarterNote, false, 1000, 300}));

TEST(Duration, OfAnUnknownTypeIsZero) {
    EXPECT_EQ(DurationOf(11, false, 120), 0);
    EXPECT_EQ(DurationOf(-1, true, 120), 0);
}

TEST(Tempo, IsLimitedToFortyToTwoHundred) {
    EXPECT_EQ(LimitTempo(39), 40);
    EXPECT_EQ(LimitTempo(40), 40);
    EXPECT_EQ(LimitTempo(120), 120);
    EXPECT_EQ(LimitTempo(200), 200);
    EXPECT_EQ(LimitTempo(201), 200);
}

}  // namespace
