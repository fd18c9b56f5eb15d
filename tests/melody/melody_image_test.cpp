// The board's melody image: title bytes, tone and silence entries, the end
// entry and the image's capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "melody_image.h"
#include "melody_tones.h"

namespace {

MelodyEntry EntryAt(const MelodyImage& image, std::size_t n) {
    MelodyEntry entry{};
    std::copy_n(image.begin() + kMelodyTitleBytes + 8 * n, 8, entry.begin());
    return entry;
}

bool AllFfFrom(const MelodyImage& image, std::size_t offset) {
    return std::all_of(image.begin() + offset, image.end(), [](std::uint8_t b) { return b == 0xFF; });
}

std::vector<MelodyEvent> Quarters(std::size_t count) {
    return std::vector<MelodyEvent>(count, MelodyEvent{69, 1, 500});
}

TEST(MelodyManager, StartsEmpty) {
    NuvoMelodyManager manager;
    EXPECT_TRUE(std::all_of(manager.Image().begin(), manager.Image().begin() + 32,
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(AllFfFrom(manager.Image(), 32));
    EXPECT_EQ(manager.WriteOffset(), 32);
}

TEST(MelodyManager, DropsEntriesPastTheImageAndResetEmptiesIt) {
    NuvoMelodyManager manager;
    const MelodyEntry entry{1, 2, 3, 4, 5, 6, 7, 8};
    for (int i = 0; i < 124; ++i) ASSERT_TRUE(manager.AppendEntry(entry)) << i;
    EXPECT_FALSE(manager.AppendEntry(MelodyEntry{}));
    EXPECT_EQ(manager.WriteOffset(), 1024);
    EXPECT_EQ(EntryAt(manager.Image(), 123), entry);

    manager.SetTitle("x");
    manager.Reset();
    EXPECT_EQ(manager.Image(), NuvoMelodyManager().Image());
    EXPECT_EQ(manager.WriteOffset(), 32);
}

struct TitleCase {
    std::string title;
    std::vector<std::uint8_t> bytes;  // the rest of the 32 title bytes are 0
};

class MelodyTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(MelodyTitle, IsBigEndianUtf16OfAtMostSixteenUnits) {
    NuvoMelodyManager manager;
    manager.SetTitle("previous title");
    manager.SetTitle(GetParam().title);
    std::vector<std::uint8_t> expected = GetParam().bytes;
    expected.resize(32, 0x00);
    EXPECT_EQ(std::vector<std::uint8_t>(manager.Image().begin(), manager.Image().begin() + 32),
              expected);
}

std::vector<std::uint8_t> Repeated(std::vector<std::uint8_t> unit, std::size_t times) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < times; ++i) bytes.insert(bytes.end(), unit.begin(), unit.end());
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Titles, MelodyTitle,
    ::testing::Values(
        TitleCase{"\xE3\x83\x89\xE3\x83\xAC\xE3\x83\x9F", {0x30, 0xC9, 0x30, 0xEC, 0x30, 0xDF}},
        TitleCase{"", {}}, TitleCase{"Ab", {0x00, 0x41, 0x00, 0x62}},
        TitleCase{std::string(20, 'z'), Repeated({0x00, 0x7A}, 16)},
        // A character outside the basic plane takes a pair of units.
        TitleCase{"\xF0\x9F\x8E\xB5", {0xD8, 0x3C, 0xDF, 0xB5}},
        // A pair that would be cut at the sixteenth unit is left out whole.
        TitleCase{std::string(15, 'z') + "\xF0\x9F\x8E\xB5", Repeated({0x00, 0x7A}, 15)},
        // Malformed UTF-8 becomes U+FFFD.
        TitleCase{"a\xFF", {0x00, 0x61, 0xFF, 0xFD}}));

TEST(MelodyImage, OfAnEmptyMelodyHoldsOnlyTheEndEntry) {
    const MelodyImage image = BuildMelodyImage({}, "", false);
    EXPECT_EQ(EntryAt(image, 0), (MelodyEntry{0, 0, 0, 0, 0, 0, 0, 0xFF}));
    EXPECT_TRUE(AllFfFrom(image, 40));
}

TEST(MelodyImage, AQuarterNote69AtTempo120IsAToneEntry) {
    const MelodyImage image = BuildMelodyImage(Quarters(1), "", false);
    EXPECT_EQ(EntryAt(image, 0), (MelodyEntry{0x00, 0x01, 0x06, 0xA9, 0x01, 0xF4, 0x00, 0x01}));
    EXPECT_EQ(EntryAt(image, 1), (MelodyEntry{0, 0, 0, 0, 0, 0, 0, 0xFF}));
    EXPECT_TRUE(AllFfFrom(image, 48));
}

TEST(MelodyImage, RestsAndNotesWithoutAToneBecomeSilences) {
    const std::vector<MelodyEvent> events{{255, 0, 375}, {53, 1, 9000}, {85, 1, 75}, {54, 1, 32},
                                          {84, 1, 6000}};
    const MelodyImage image = BuildMelodyImage(events, "", true);
    EXPECT_EQ(EntryAt(image, 0), (MelodyEntry{0, 0, 0, 0, 0x01, 0x77, 0, 1}));
    EXPECT_EQ(EntryAt(image, 1), (MelodyEntry{0, 0, 0, 0, 0x23, 0x28, 0, 2}));
    EXPECT_EQ(EntryAt(image, 2), (MelodyEntry{0, 0, 0, 0, 0x00, 0x4B, 0, 3}));
    EXPECT_EQ(EntryAt(image, 3), (MelodyEntry{0, 1, 0x0F, 0xD6, 0x00, 0x20, 0, 4}));
    EXPECT_EQ(EntryAt(image, 4), (MelodyEntry{0, 1, 0x02, 0xCC, 0x17, 0x70, 0, 5}));
    EXPECT_EQ(EntryAt(image, 5), (MelodyEntry{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(MelodyImage, TheEndEntryRepeatsOrStops) {
    for (const bool repeat : {true, false}) {
        const MelodyImage image = BuildMelodyImage(Quarters(3), "", repeat);
        EXPECT_EQ(EntryAt(image, 3)[7], repeat ? 0x00 : 0xFF) << repeat;
        EXPECT_EQ(EntryAt(image, 2)[7], 3) << repeat;
    }
}

TEST(MelodyImage, AHundredNotesGiveAHundredAndOneEntries) {
    const MelodyImage image = BuildMelodyImage(Quarters(100), "", false);
    EXPECT_EQ(EntryAt(image, 99)[7], 100);
    EXPECT_EQ(EntryAt(image, 100), (MelodyEntry{0, 0, 0, 0, 0, 0, 0, 0xFF}));
    EXPECT_TRUE(AllFfFrom(image, 32 + 8 * 101));
}

struct CapacityCase {
    std::size_t events;
    std::size_t storedEvents;
};

class MelodyCapacity : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(MelodyCapacity, KeepsRoomForTheEndEntry) {
    const MelodyImage image = BuildMelodyImage(Quarters(GetParam().events), "", true);
    const std::size_t stored = GetParam().storedEvents;
    EXPECT_EQ(EntryAt(image, stored - 1)[7], stored);
    EXPECT_EQ(EntryAt(image, stored), (MelodyEntry{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(AllFfFrom(image, 32 + 8 * (stored + 1)));
}

INSTANTIATE_TEST_SUITE_P(Events, MelodyCapacity,
                         ::testing::Values(CapacityCase{122, 122}, CapacityCase{123, 123},
                                           CapacityCase{124, 123}, CapacityCase{300, 123}));

TEST(MelodyImage, IntoAManagerReplacesWhatItHeld) {
    NuvoMelodyManager manager;
    BuildMelodyImage(manager, Quarters(50), "long", true);
    BuildMelodyImage(manager, Quarters(1), "\xE3\x83\x89", false);
    EXPECT_EQ(manager.Image(), BuildMelodyImage(Quarters(1), "\xE3\x83\x89", false));
    EXPECT_EQ(manager.WriteOffset(), 48);
}

TEST(MelodyTones, CoverFiftyFourToEightyFour) {
    EXPECT_FALSE(ToneValueOf(53));
    EXPECT_EQ(ToneValueOf(54), 0x0FD6);
    EXPECT_EQ(ToneValueOf(60), 0x0B2F);
    EXPECT_EQ(ToneValueOf(69), 0x06A9);
    EXPECT_EQ(ToneValueOf(77), 0x0432);
    EXPECT_EQ(ToneValueOf(84), 0x02CC);
    EXPECT_FALSE(ToneValueOf(85));
    EXPECT_TRUE(std::is_sorted(kToneValues.rbegin(), kToneValues.rend()));
}

}  // namespace
