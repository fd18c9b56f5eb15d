// The standard MIDI file of a melody: its bytes where other tests cannot see
// them, and its refusals. Reading it back with another program is tested
// with qen-cli's midi command.
#include "midi_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "recording_notifier.h"
#include "temp_folder.h"

namespace {

TEST(MidiFileBytes, ALongSilenceTakesAThreeByteDeltaAndNoTitleNoName) {
    CMelodyDataManager melody;
    // Ten whole rests (19200 ticks), then a sixteenth C5.
    std::vector<MelodyNote> entries(10, MelodyNote{6, 0, 0, 0, 0, 40});
    entries.push_back({5, 0, 0, 0, 0, 36});
    melody.ReplaceEntries(entries);
    const std::string bytes = MidiFileBytes("", 120, melody);
    const std::string track =
        std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7) +  // tempo 500000
        std::string("\x81\x96\x00\x90\x48\x70", 6) +      // 19200 ticks later, note on 72
        std::string("\x78\x80\x48\x00", 4) +              // 120 ticks later, note off
        std::string("\x00\xFF\x2F\x00", 4);               // end of track
    EXPECT_EQ(bytes, std::string("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14) + "MTrk" +
                         std::string("\x00\x00\x00", 3) + static_cast<char>(track.size()) + track);
}

TEST(WriteMidiFile, ATitleCharacterCodePage932CannotHoldIsNamedAndNothingIsWritten) {
    TempFolder folder;
    CMelodyDataManager melody;
    RecordingNotifier notifier;
    const std::string path = folder.File("tune.mid");
    EXPECT_FALSE(WriteMidiFile(path, {"森鷗外のうた", 120, false}, melody, notifier));
    EXPECT_EQ(notifier.messages,
              std::vector<std::string>{
                  "書き出しに失敗しました\n曲名の「鷗」(U+9DD7)は保存できない文字です。"});
    EXPECT_FALSE(std::filesystem::exists(path));

    notifier.messages.clear();
    EXPECT_FALSE(
        WriteMidiFile(folder.File("no/such/tune.mid"), {"t", 120, false}, melody, notifier));
    EXPECT_EQ(notifier.messages, std::vector<std::string>{"書き出しに失敗しました"});
}

}  // namespace
