// The virtual board's sounds: the fixed patterns and the melody image it was sent.
#include "board_sounds.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Image = std::array<std::uint8_t, 1024>;

// An image as the melody editor builds it: title, entries, then 0xFF.
Image MelodyOf(const std::vector<std::array<std::uint8_t, 8>>& entries) {
    Image image{};
    image.fill(0xFF);
    std::fill(image.begin(), image.begin() + 32, 0x00);
    for (std::size_t i = 0; i < entries.size(); ++i)
        std::copy(entries[i].begin(), entries[i].end(), image.begin() + 32 + 8 * i);
    return image;
}

TEST(BoardSounds, OffIsSilence) { EXPECT_EQ(PatternOf(SoundKind::Off, {}), SoundPattern{}); }

TEST(BoardSounds, TheBuzzerSoundsWithoutABreak) {
    const SoundPattern buzzer = PatternOf(SoundKind::Buzzer, {});
    EXPECT_TRUE(buzzer.repeat);
    ASSERT_EQ(buzzer.steps.size(), 1u);
    EXPECT_GT(buzzer.steps[0].frequency, 0.0);
}

TEST(BoardSounds, TheAlarmBeepsFourTimesThenPauses) {
    const SoundPattern alarm = PatternOf(SoundKind::Alarm, {});
    EXPECT_TRUE(alarm.repeat);
    ASSERT_EQ(alarm.steps.size(), 8u);
    int beeps = 0;
    for (const SoundStep& step : alarm.steps) beeps += step.frequency > 0 ? 1 : 0;
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(alarm.steps.back(), (SoundStep{0.0, 500}));
}

TEST(BoardSounds, TheBuiltInMelodyIsATuneThatRepeats) {
    const SoundPattern tune = PatternOf(SoundKind::Melody, {});
    EXPECT_TRUE(tune.repeat);
    ASSERT_EQ(tune.steps.size(), 16u);
    EXPECT_NEAR(tune.steps[0].frequency, 261.63, 0.01);  // ド
    EXPECT_NEAR(tune.steps[11].frequency, 440.0, 0.01);  // ラ
}

TEST(BoardSounds, TheOwnMelodyFollowsTheImagesEntries) {
    // A4 for 500 ms, a rest of 250 ms, C4 for 125 ms, end with repeat.
    const Image image = MelodyOf({{0x00, 0x01, 0x06, 0xA9, 0x01, 0xF4, 0x00, 0x01},
                                  {0x00, 0x00, 0x00, 0x00, 0x00, 0xFA, 0x00, 0x02},
                                  {0x00, 0x01, 0x0B, 0x2F, 0x00, 0x7D, 0x00, 0x03},
                                  {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}});
    const SoundPattern melody = PatternOf(SoundKind::OwnMelody, image);
    EXPECT_TRUE(melody.repeat);
    ASSERT_EQ(melody.steps.size(), 3u);
    EXPECT_NEAR(melody.steps[0].frequency, 440.0, 0.5);
    EXPECT_EQ(melody.steps[0].milliseconds, 500);
    EXPECT_EQ(melody.steps[1], (SoundStep{0.0, 250}));
    EXPECT_NEAR(melody.steps[2].frequency, 261.63, 0.5);
}

TEST(BoardSounds, AnOwnMelodyWithoutRepeatEndsAndAnErasedImageIsSilent) {
    const Image once = MelodyOf({{0x00, 0x01, 0x06, 0xA9, 0x01, 0xF4, 0x00, 0x01},
                                 {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF}});
    EXPECT_FALSE(PatternOf(SoundKind::OwnMelody, once).repeat);
    EXPECT_EQ(PatternOf(SoundKind::OwnMelody, once).steps.size(), 1u);

    Image erased{};
    erased.fill(0xFF);
    EXPECT_EQ(PatternOf(SoundKind::OwnMelody, erased), SoundPattern{});
}

TEST(BoardSounds, AMelodyThatLoopsOnItselfStopsAfterOnePassOverTheImage) {
    // Entry 0 names itself: one step per entry the image can hold, then the end.
    const Image image = MelodyOf({{0x00, 0x01, 0x06, 0xA9, 0x00, 0x64, 0x00, 0x00}});
    EXPECT_EQ(PatternOf(SoundKind::OwnMelody, image).steps.size(), 124u);
}

}  // namespace
