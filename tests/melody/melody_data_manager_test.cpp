// The melody list: the clef marker, insertion order, the 100-entry limit,
// removal by position and the layout of x positions.
#include <gtest/gtest.h>

#include "melody_data_manager.h"

namespace {

MelodyNote Note(MelodySymbol type, int x, int y = 44, int dotted = 0) {
    return {TypeOf(type), dotted, 0, 0, x, y};
}

std::vector<std::int32_t> Types(const CMelodyDataManager& melody) {
    std::vector<std::int32_t> types;
    for (const MelodyNote& entry : melody.Notes()) types.push_back(entry.type);
    return types;
}

class MelodyList : public ::testing::Test {
protected:
    CMelodyDataManager melody;
};

TEST_F(MelodyList, StartsWithOnlyTheClefMarker) {
    EXPECT_EQ(melody.Notes(), std::vector<MelodyNote>{kClefMarker});
    EXPECT_EQ(melody.CountNotes(), 0);
    EXPECT_EQ(melody.TotalWidth(), 48);
}

TEST_F(MelodyList, InsertsBeforeTheFirstEntryAtOrRightOfTheDrop) {
    EXPECT_EQ(melody.Insert(Note(MelodySymbol::QuarterNote, 100)), InsertOutcome::Appended);
    melody.Relayout();  // the quarter note is now at x 48
    EXPECT_EQ(melody.Insert(Note(MelodySymbol::HalfNote, 48)), InsertOutcome::Inserted);
    EXPECT_EQ(melody.Insert(Note(MelodySymbol::EighthNote, 500)), InsertOutcome::Appended);
    EXPECT_EQ(Types(melody), (std::vector<std::int32_t>{0, 2, 3, 4}));
}

TEST_F(MelodyList, ARestSitsOnTheMiddleLine) {
    melody.Insert(Note(MelodySymbol::QuarterRest, 100, 12));
    EXPECT_EQ(melody.Notes().back().y, kRestY);
}

TEST_F(MelodyList, RefusesTheHundredAndFirstEntryUntilOneIsRemoved) {
    for (int i = 0; i < kMaxMelodyNotes; ++i)
        ASSERT_NE(melody.Insert(Note(MelodySymbol::SixteenthNote, 10000)), InsertOutcome::Refused);
    EXPECT_EQ(melody.Insert(Note(MelodySymbol::QuarterRest, 10000)), InsertOutcome::Refused);
    EXPECT_EQ(melody.Relayout(), kMaxMelodyNotes);
    ASSERT_TRUE(melody.RemoveAt(48, 44));
    EXPECT_EQ(melody.Insert(Note(MelodySymbol::QuarterRest, 10000)), InsertOutcome::Appended);
}

TEST_F(MelodyList, RefusesTypesThatAreNeitherNotesNorRests) {
    for (int type : {0, 11, -1}) {
        EXPECT_EQ(melody.Insert({type, 0, 0, 0, 100, 44}), InsertOutcome::Refused) << type;
    }
    EXPECT_EQ(melody.Notes().size(), 1u);
}

TEST_F(MelodyList, LaysOutByWidthsWithDotsAndUnknownTypesTakingNone) {
    melody.ReplaceEntries({Note(MelodySymbol::QuarterNote, 0, 44, 1), {42, 0, 0, 0, 0, 44},
                           Note(MelodySymbol::WholeRest, 0, 40), {0, 0, 0, 0, 0, 8},
                           Note(MelodySymbol::EighthNote, 0)});
    std::vector<int> xs;
    for (const MelodyNote& entry : melody.Notes()) xs.push_back(entry.x);
    // -16 + 64 (clef), +192 (dotted quarter), +0 (unknown), +512, +64 (a further clef)
    EXPECT_EQ(xs, (std::vector<int>{-16, 48, 240, 240, 752, 816}));
    EXPECT_EQ(melody.TotalWidth(), 880);
    EXPECT_EQ(melody.CountNotes(), 3);
}

TEST_F(MelodyList, RemovesTheFirstEntryWhoseSquareHoldsThePoint) {
    melody.ReplaceEntries({Note(MelodySymbol::QuarterNote, 0, 44), Note(MelodySymbol::HalfNote, 0, 44)});
    // Quarter at x 48, half at x 176; squares hold left and top edges only.
    EXPECT_FALSE(melody.RemoveAt(64, 44));
    EXPECT_FALSE(melody.RemoveAt(48, 60));
    EXPECT_TRUE(melody.RemoveAt(160, 28));
    EXPECT_EQ(Types(melody), (std::vector<std::int32_t>{0, 3}));
}

TEST_F(MelodyList, NeverRemovesTheLeadingClefMarker) {
    melody.ReplaceEntries({Note(MelodySymbol::QuarterNote, 0, 44)});
    EXPECT_FALSE(melody.RemoveAt(-16, 8));
    EXPECT_EQ(Types(melody), (std::vector<std::int32_t>{0, 3}));
}

TEST_F(MelodyList, ResetEmptiesIt) {
    melody.ReplaceEntries({Note(MelodySymbol::QuarterNote, 0, 44)});
    melody.Reset();
    EXPECT_EQ(melody.Notes(), std::vector<MelodyNote>{kClefMarker});
    EXPECT_EQ(melody.TotalWidth(), 48);
}

}  // namespace
