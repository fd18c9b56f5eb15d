// The melody file: its exact text, reading it back, and every failure with its message.
#include "melody_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp932_text.h"
#include "temp_folder.h"

namespace {

class MessageSpy : public INotifier {
public:
    void Notify(std::string_view text, MessageSeverity) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

const std::string kDoReMi = "\xE3\x83\x89\xE3\x83\xAC\xE3\x83\x9F";  // ドレミ
const std::string kDoReMiCp932 = "\x83\x68\x83\x8C\x83\x7E";

class MelodyFile : public ::testing::Test {
protected:
    std::vector<MelodyNote> Entries() const {
        const std::vector<MelodyNote> notes = melody.Notes();
        return {notes.begin() + 1, notes.end()};
    }

    TempFolder folder;
    const std::string path = folder.File("tune.mel");
    CMelodyDataManager melody;
    MessageSpy spy;
};

TEST_F(MelodyFile, WritesTheHeaderAndOneLinePerEntryInCodePage932) {
    melody.ReplaceEntries(
        {{3, 1, 0, 1, 0, 44}, {8, 0, 0, 0, 0, 40}, {0, 0, 0, 0, 0, 8}, {42, 5, 7, 0, 0, 16}});
    MelodySettings settings{kDoReMi, 150, true};
    ASSERT_TRUE(WriteMelodyFile(path, settings, melody, spy));
    // The clef marker is dropped; an unknown entry goes back with its flags as 0 or 1.
    EXPECT_EQ(TempFolder::Read(path),
              kDoReMiCp932 + "\r\n150\r\n1\r\n3,44,1,0,1\r\n8,40,0,0,0\r\n42,16,1,1,0\r\n");
    EXPECT_TRUE(spy.messages.empty());
}

TEST_F(MelodyFile, AnEmptyMelodyIsExactlyThreeLines) {
    MelodySettings settings;
    ASSERT_TRUE(WriteMelodyFile(path, settings, melody, spy));
    EXPECT_EQ(TempFolder::Read(path), "\r\n120\r\n0\r\n");
}

TEST_F(MelodyFile, WritesTheLimitedTempoAndHandsItBack) {
    MelodySettings settings{"a", 7, false};
    ASSERT_TRUE(WriteMelodyFile(path, settings, melody, spy));
    EXPECT_EQ(settings.tempo, 40);
    EXPECT_EQ(TempFolder::Read(path), "a\r\n40\r\n0\r\n");
}

TEST_F(MelodyFile, ALineBreakInTheTitleCannotShiftTheTempoLine) {
    MelodySettings settings{"two\r\nlines", 120, false};
    ASSERT_TRUE(WriteMelodyFile(path, settings, melody, spy));
    EXPECT_EQ(TempFolder::Read(path), "two  lines\r\n120\r\n0\r\n");
}

TEST_F(MelodyFile, RoundTripsTitleSettingsAndEntries) {
    const std::vector<MelodyNote> entries{
        {1, 0, 1, 0, 0, 12}, {5, 1, 0, 1, 0, 76}, {10, 1, 0, 0, 0, 40}, {77, 0, 0, 0, 0, 20}};
    melody.ReplaceEntries(entries);
    MelodySettings written{kDoReMi + "のうた", 88, true};
    ASSERT_TRUE(WriteMelodyFile(path, written, melody, spy));

    CMelodyDataManager loaded;
    const std::optional<MelodySettings> read = ReadMelodyFile(path, loaded, spy);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, written);
    EXPECT_EQ(loaded.Notes(), melody.Notes());
    EXPECT_TRUE(spy.messages.empty());
}

TEST_F(MelodyFile, ReadsEntriesAsTheyComeWithDefaultsForMissingFields) {
    TempFolder::Write(path,
                      "t\r\n120\r\n0\r\n8,12,1\r\n3\r\n\r\n4, 44,0,0,1\r\n2 ,44\r\nx,1\r\n"
                      "3,99999999999,1\n1,52,0,1,0");
    ASSERT_TRUE(ReadMelodyFile(path, melody, spy));
    EXPECT_EQ(Entries(), (std::vector<MelodyNote>{
                             {8, 1, 0, 0, 48, 40},      // a rest moves to y 40
                             {3, 0, 0, 0, 240, 0},      // type only
                             {-1, 0, 0, 0, 368, 0},     // empty line
                             {4, 0, 0, 1, 368, 44},     // space after a comma is skipped
                             {2, 0, 0, 0, 432, 0},      // space before a comma ends the fields
                             {-1, 0, 0, 0, 688, 0},     // not a number
                             {3, 0, 0, 0, 688, 0},      // a number too large ends the fields
                             {1, 0, 1, 0, 816, 52}}));  // LF line ends are read as well
    EXPECT_TRUE(spy.messages.empty());
}

struct HeaderCase {
    std::string text;
    int tempo;
    bool repeat;
};

class MelodyFileHeader : public MelodyFile, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(MelodyFileHeader, ReadsTempoAndRepeatAsLeadingIntegers) {
    TempFolder::Write(path, "t\r\n" + GetParam().text);
    const std::optional<MelodySettings> read = ReadMelodyFile(path, melody, spy);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->tempo, GetParam().tempo);
    EXPECT_EQ(read->repeat, GetParam().repeat);
}

INSTANTIATE_TEST_SUITE_P(Lines, MelodyFileHeader,
                         ::testing::Values(HeaderCase{"120\r\n1\r\n", 120, true},
                                           HeaderCase{"fast\r\n0\r\n", 40, false},
                                           HeaderCase{"999\r\n2\r\n", 200, true},
                                           HeaderCase{" 90bpm\r\nyes\r\n", 90, false},
                                           HeaderCase{"-5\r\n-1", 40, true}));

TEST_F(MelodyFile, ATitleInCodePage932IsReadAsUtf8AndBadBytesAreReplaced) {
    TempFolder::Write(path, kDoReMiCp932 + "\xFF" + "\r\n120\r\n0\r\n");
    const std::optional<MelodySettings> read = ReadMelodyFile(path, melody, spy);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, kDoReMi + "\xEF\xBF\xBD");
}

TEST_F(MelodyFile, AMissingFileIsReportedAndLeavesTheList) {
    melody.ReplaceEntries({{3, 0, 0, 0, 0, 44}});
    EXPECT_FALSE(ReadMelodyFile(folder.File("absent.mel"), melody, spy));
    EXPECT_EQ(spy.messages, std::vector<std::string>{"読み込みに失敗しました"});
    EXPECT_EQ(melody.CountNotes(), 1);
}

class MelodyFileRefused : public MelodyFile, public ::testing::WithParamInterface<std::string> {};

TEST_P(MelodyFileRefused, EmptiesTheListAndSaysSo) {
    TempFolder::Write(path, GetParam());
    melody.ReplaceEntries({{3, 0, 0, 0, 0, 44}});
    EXPECT_FALSE(ReadMelodyFile(path, melody, spy));
    EXPECT_EQ(spy.messages, std::vector<std::string>{"読み込みに失敗しました"});
    EXPECT_EQ(melody.Notes(), std::vector<MelodyNote>{kClefMarker});
}

std::string TooManyEntries() {
    std::string text = "t\r\n120\r\n0\r\n";
    for (std::size_t i = 0; i <= kMaxMelodyFileEntries; ++i) text += "3,44,0,0,0\r\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(Files, MelodyFileRefused,
                         ::testing::Values(std::string(), std::string("title\r\n"),
                                           std::string("title\r\n120\r\n"), TooManyEntries()));

TEST_F(MelodyFile, AFileAtTheEntryBoundIsAccepted) {
    std::string text = "t\r\n120\r\n0\r\n";
    for (std::size_t i = 0; i < kMaxMelodyFileEntries; ++i) text += "3,44,0,0,0\r\n";
    TempFolder::Write(path, text);
    ASSERT_TRUE(ReadMelodyFile(path, melody, spy));
    EXPECT_EQ(melody.CountNotes(), static_cast<int>(kMaxMelodyFileEntries));
}

TEST_F(MelodyFile, AFailedSaveIsReportedAndKeepsThePreviousFile) {
    TempFolder::Write(path, "old");
    MelodySettings settings{"t", 120, false};
    EXPECT_FALSE(WriteMelodyFile(folder.File("no/such/folder.mel"), settings, melody, spy));
    EXPECT_EQ(spy.messages, std::vector<std::string>{"保存に失敗しました"});
    EXPECT_EQ(TempFolder::Read(path), "old");
}

TEST_F(MelodyFile, ATitleCharacterCodePage932CannotHoldIsNamedAndNothingIsWritten) {
    TempFolder::Write(path, "old");
    MelodySettings settings{"うた\xF0\x9F\x8E\xB5", 120, false};
    EXPECT_FALSE(WriteMelodyFile(path, settings, melody, spy));
    EXPECT_EQ(spy.messages, std::vector<std::string>{
                                "保存に失敗しました\n"
                                "曲名の「\xF0\x9F\x8E\xB5」(U+1F3B5)は保存できない文字です。"});
    EXPECT_EQ(TempFolder::Read(path), "old");
}

TEST_F(MelodyFile, ATitleLongerThanSixteenCharactersIsWrittenAndReadWhole) {
    // Only typing is limited to 16 characters; a file's title goes back as it came.
    const std::string title = "とてもながいきょくめいのメロディです20";
    TempFolder::Write(path, *Utf8ToCp932(title).bytes + "\r\n120\r\n0\r\n");
    const std::optional<MelodySettings> read = ReadMelodyFile(path, melody, spy);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->title, title);

    MelodySettings settings = *read;
    ASSERT_TRUE(WriteMelodyFile(path, settings, melody, spy));
    EXPECT_EQ(TempFolder::Read(path), *Utf8ToCp932(title).bytes + "\r\n120\r\n0\r\n");
}

}  // namespace
