// The play list made from the melody list, the tempo and the repeat flag.
#include <gtest/gtest.h>

#include "play_list.h"

namespace {

TEST(PlayList, OfAnEmptyMelodyIsEmpty) {
    CMelodyDataManager melody;
    const PlayList list = BuildPlayList(melody, 120, true);
    EXPECT_TRUE(list.events.empty());
    EXPECT_EQ(list.tempo, 120);
    EXPECT_TRUE(list.repeat);
}

TEST(PlayList, HoldsNotesAndRestsAndSkipsWhatCannotSound) {
    CMelodyDataManager melody;
    melody.ReplaceEntries({
        {3, 0, 0, 1, 0, 40},  // quarter, sharp: 72
        {3, 0, 1, 1, 0, 40},  // quarter, both accidentals: 71
        {3, 0, 0, 0, 0, 80},  // no pitch at y 80
        {9, 1, 0, 0, 0, 40},  // dotted eighth rest
        {0, 0, 0, 0, 0, 8},   // a further clef marker
        {42, 0, 0, 0, 0, 44}, // unknown type
        {1, 1, 0, 0, 0, 44},  // dotted whole note 69
    });
    const PlayList list = BuildPlayList(melody, 120, false);
    EXPECT_EQ(list.events, (std::vector<MelodyEvent>{
                               {72, 1, 500}, {71, 1, 500}, {255, 0, 375}, {69, 1, 3000}}));
}

TEST(PlayList, LimitsTheTempoItPlaysAt) {
    CMelodyDataManager melody;
    melody.ReplaceEntries({{1, 0, 0, 0, 0, 44}});
    const PlayList slow = BuildPlayList(melody, 10, false);
    EXPECT_EQ(slow.tempo, 40);
    EXPECT_EQ(slow.events.front().duration, 6000);
    EXPECT_EQ(BuildPlayList(melody, 500, false).tempo, 200);
}

}  // namespace
