// qen-cli's melody commands: the image a transfer sends (golden files), the
// transfer to the simulated board, and MIDI files read back by midicsv.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cp932_text.h"
#include "link_test_support.h"
#include "outside_tool.h"
#include "cli_run.h"
#include "qen_cli.h"
#include "simulated_board.h"
#include "temp_folder.h"

namespace {

const std::filesystem::path kData = QEN_MELODY_TEST_DATA;

std::string Input(const std::string& name) { return (kData / name / "input.mel").string(); }

class CliMelodyGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(CliMelodyGolden, PrintsTheImageATransferSends) {
    const CliResult run = RunTool({"melody", Input(GetParam())});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, TempFolder::Read((kData / GetParam() / "expected.txt").string()));
}

// doremi: a quarter A4 at tempo 120 titled ドレミ. every_entry_kind: a
// 20-character title (16 kept), tempo 999 (200), repeat, accidentals, a rest,
// and a note off the staff, an unknown type and a clef that are not sent.
INSTANTIATE_TEST_SUITE_P(Files, CliMelodyGolden, ::testing::Values("doremi", "every_entry_kind"));

TEST(CliMelody, TheImageIsThirtyTwoBlocksOfThirtyTwoBytes) {
    const CliResult run = RunTool({"melody", Input("doremi")});
    std::istringstream lines(run.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        char number[4];
        std::snprintf(number, sizeof number, "%02d:", count);
        EXPECT_EQ(line.substr(0, 3), number);
        EXPECT_EQ(line.size(), 3u + 32 * 3) << line;
    }
    EXPECT_EQ(count, 32);
}

class CliMelodyRefusal : public ::testing::TestWithParam<std::string> {};

TEST_P(CliMelodyRefusal, AFileTheEditorRefusesGivesItsMessage) {
    TempFolder folder;
    const std::string path = folder.File("tune.mel");
    if (GetParam() != "missing") TempFolder::Write(path, GetParam());
    for (const std::vector<std::string>& command : {std::vector<std::string>{"melody", path},
                                                    {"send-melody", path, "--simulated"},
                                                    {"midi", path, folder.File("tune.mid")}}) {
        const CliResult run = RunTool(command);
        EXPECT_EQ(run.exit, 1) << command[0];
        EXPECT_EQ(run.out, "") << command[0];
        EXPECT_EQ(run.err, "読み込みに失敗しました\n") << command[0];
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("tune.mid")));
}

INSTANTIATE_TEST_SUITE_P(Files, CliMelodyRefusal,
                         ::testing::Values("missing", "", "title\r\n120\r\n"));

class CliSendMelody : public ::testing::Test {
protected:
    CliSendMelody() {
        access.usb = [this]() -> IHidTransport& { return board; };
        access.clock = &clock;
    }
    ~CliSendMelody() override { EXPECT_FALSE(board.IsOpen()); }

    link_test::FastClock clock{20};
    SimulatedBoard board{clock};
    CliBoardAccess access;
};

// The image qen-cli melody prints, as bytes.
MelodyImage PrintedImage(const std::string& file) {
    std::istringstream lines(RunTool({"melody", file}).out);
    MelodyImage image{};
    std::size_t at = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream bytes(line.substr(3));
        for (unsigned value = 0; at < image.size() && bytes >> std::hex >> value; ++at)
            image[at] = static_cast<std::uint8_t>(value);
    }
    EXPECT_EQ(at, image.size());
    return image;
}

TEST_F(CliSendMelody, TheImageReachesTheBoardWithTheEditorsTexts) {
    const CliResult run = RunTool({"send-melody", Input("every_entry_kind")}, access);
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "テルノから初期情報を読み込みました。\n"
              "メロディデータを転送中です。終了するまでハードを取り外さないで下さい。\n"
              "データ転送が完了しました。\n");
    EXPECT_EQ(board.StoredMelody(), PrintedImage(Input("every_entry_kind")));
}

TEST_F(CliSendMelody, TraceShowsTheMelodyHeaderThenThirtyTwoBlocksOfTheImage) {
    const CliResult run = RunTool({"send-melody", Input("doremi"), "--trace"}, access);
    ASSERT_EQ(run.exit, 0) << run.err;
    const std::string report = "> 4E 56 00 00 00 40 00 00";
    std::vector<std::string> written;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(report + " 00 01", 0) == 0 || line.rfind(report + " 00 02", 0) == 0)
            written.push_back(line.substr(report.size()));
    ASSERT_EQ(written.size(), 33u) << run.out;
    const auto unused = [](int count) {
        std::string bytes;
        for (int i = 0; i < count; ++i) bytes += " FF";
        return bytes;
    };
    EXPECT_EQ(written[0], " 00 01 C8 00 04 00 00 20" + unused(48));
    const MelodyImage image = PrintedImage(Input("doremi"));
    for (int block = 0; block < 32; ++block) {
        char expected[16 * 3 + 32 * 3 + 1];
        int at = std::snprintf(expected, sizeof expected, " 00 02 %02X %02X 00 20 00 20",
                               (0xC800 + 32 * block) >> 8, (0xC800 + 32 * block) & 0xFF);
        for (int i = 0; i < 32; ++i)
            at += std::snprintf(expected + at, sizeof expected - static_cast<std::size_t>(at),
                                " %02X", image[static_cast<std::size_t>(32 * block + i)]);
        // The last 16 data bytes of a block are not used.
        EXPECT_EQ(written[static_cast<std::size_t>(block) + 1], expected + unused(16))
            << "block " << block;
    }
}

TEST_F(CliSendMelody, RefusalsAndAMissingBoardAreAsForSend) {
    StatusReport status = board.Status();
    status.mode = 0x81;
    board.SetStatus(status);
    CliResult run = RunTool({"send-melody", Input("doremi")}, access);
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.err, "テルノを再接続して下さい。\n");

    board.Unplug();
    run = RunTool({"send-melody", Input("doremi")}, access);
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "テルノが見つかりませんでした\n");
}

// One event of midicsv's text: track, time in ticks, type and the rest of the fields.
struct MidiCsvRecord {
    int track = 0;
    long time = 0;
    std::string type;
    std::vector<std::string> fields;
};

std::string Unescape(const std::string& quoted) {
    std::string bytes;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] == '\\' && i + 3 < quoted.size()) {
            bytes += static_cast<char>(std::stoi(quoted.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            bytes += quoted[i];
        }
    }
    return bytes;
}

std::vector<MidiCsvRecord> ReadWithMidicsv(const std::string& path) {
    const std::string midicsv = QEN_MIDICSV;
    EXPECT_FALSE(midicsv.empty()) << "midicsv is missing: run scripts/install-deps";
    const ToolOutput read = RunOutsideTool(ShellQuoted(midicsv) + " " + ShellQuoted(path));
    EXPECT_EQ(read.status, 0) << read.out;
    std::vector<MidiCsvRecord> records;
    std::istringstream lines(read.out);
    for (std::string line; std::getline(lines, line);) {
        MidiCsvRecord record;
        std::istringstream fields(line);
        std::string field;
        std::getline(fields, field, ',');
        record.track = std::stoi(field);
        std::getline(fields, field, ',');
        record.time = std::stol(field);
        std::getline(fields, field, ',');
        record.type = field.substr(1);
        // A quoted text is the last field and may hold commas.
        for (std::string rest; std::getline(fields, rest, ',');) {
            if (rest.size() > 1 && rest[1] == '"') {
                std::string more;
                std::getline(fields, more, '\n');
                rest = rest.substr(1) + (more.empty() ? "" : "," + more);
                record.fields.push_back(Unescape(rest));
                break;
            }
            record.fields.push_back(rest.substr(1));
        }
        records.push_back(record);
    }
    return records;
}

TEST(CliMidi, AnotherProgramReadsTheNotesTimesTempoAndTitle) {
    TempFolder folder;
    const std::string out = folder.File("tune.mid");
    const CliResult run = RunTool({"midi", Input("every_entry_kind"), out});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, "");

    std::vector<std::string> events;
    for (const MidiCsvRecord& r : ReadWithMidicsv(out)) {
        std::string text = std::to_string(r.track) + " " + std::to_string(r.time) + " " + r.type;
        for (const std::string& field : r.fields) text += " " + field;
        events.push_back(text);
    }
    // 480 ticks a quarter: a dotted sixteenth 180, a sixteenth rest 120, a
    // whole 1920, an eighth 240; the note off the staff and the unknown entry
    // add nothing, the clef neither.
    const std::string title = *Utf8ToCp932("とてもながいきょくめいのメロディです20").bytes;
    EXPECT_EQ(events, (std::vector<std::string>{
                          "0 0 Header 0 1 480", "1 0 Start_track", "1 0 Title_t " + title,
                          "1 0 Tempo 300000", "1 0 Note_on_c 0 84 112", "1 180 Note_off_c 0 84 0",
                          "1 300 Note_on_c 0 54 112", "1 2220 Note_off_c 0 54 0",
                          "1 2220 Note_on_c 0 71 112", "1 2460 Note_off_c 0 71 0",
                          "1 2460 End_track", "0 0 End_of_file"}));
}

TEST(CliMidi, ATrailingRestIsKeptAsTimeAndTheTempoIsTheFilesOwn) {
    TempFolder folder;
    const std::string in = folder.File("tune.mel");
    const std::string out = folder.File("tune.mid");
    // Tempo 70: a quarter of 857143 microseconds; a quarter note, then a half rest.
    TempFolder::Write(in, "\r\n70\r\n0\r\n3,64,0,0,0\r\n7,40,0,0,0\r\n");
    ASSERT_EQ(RunTool({"midi", in, out}).exit, 0);
    std::vector<std::string> events;
    for (const MidiCsvRecord& r : ReadWithMidicsv(out)) {
        std::string text = std::to_string(r.time) + " " + r.type;
        for (const std::string& field : r.fields) text += " " + field;
        events.push_back(text);
    }
    EXPECT_EQ(events,
              (std::vector<std::string>{"0 Header 0 1 480", "0 Start_track", "0 Tempo 857143",
                                        "0 Note_on_c 0 60 112", "480 Note_off_c 0 60 0",
                                        "1440 End_track", "0 End_of_file"}));
}

TEST(CliMelodyUsage, BadUsageExitsWithTheCommandsUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"melody"}, "usage: qen-cli melody FILE.mel\n"},
        {{"melody", "a.mel", "--trace"}, "usage: qen-cli melody FILE.mel\n"},
        {{"midi", "a.mel"}, "usage: qen-cli midi IN.mel OUT.mid\n"},
        {{"send-melody", "a.mel", "--area", "2"},
         "usage: qen-cli send-melody FILE.mel [--simulated] [--trace]\n"},
    };
    for (const auto& [arguments, usage] : cases) {
        const CliResult run = RunTool(arguments);
        EXPECT_EQ(run.exit, 2) << arguments[0];
        EXPECT_EQ(run.err, usage);
    }
}

}  // namespace
