// qen-cli's board commands against the strict simulated board: what they print,
// what reaches the board, refusals, a missing or silent board, bad usage. Every
// command leaves the board with no complaint about what it was sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "board_access.h"
#include "fake_hidapi.h"
#include "hidapi_transport.h"
#include "link_test_support.h"
#include "cli_run.h"
#include "qen_cli.h"
#include "simulated_board.h"

namespace {

using namespace std::chrono_literals;

const std::filesystem::path kData = QEN_FILE_TEST_DATA;

constexpr std::string_view kHandshakeText = "テルノから初期情報を読み込みました。";
constexpr std::string_view kProgramText =
    "フローチャートデータを転送中です。終了するまでハードを取り外さないで下さい。";
constexpr std::string_view kDoneText = "データ転送が完了しました。";

std::string Input(const std::string& name) { return (kData / name / "input.xml").string(); }


// A payload as the board protocol lays it out, written out by hand.
std::vector<std::uint8_t> Payload(std::uint16_t command, std::uint16_t address, std::uint16_t count,
                                  std::vector<std::uint8_t> data = {}) {
    const auto hi = [](std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); };
    const auto lo = [](std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); };
    std::vector<std::uint8_t> payload = {
        0x4E,        0x56,        0x00,        0x00,        0x00,      0x40,      0x00, 0x00,
        hi(command), lo(command), hi(address), lo(address), hi(count), lo(count), 0x00, 0x20};
    payload.resize(64, 0xFF);
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 48), payload.begin() + 16);
    return payload;
}

std::vector<std::uint8_t> Control(std::uint8_t value) {
    return Payload(0x0000, 0x0390, 0x0020, {value, static_cast<std::uint8_t>(value ^ 0xFF)});
}

std::string TraceLine(char direction, const std::vector<std::uint8_t>& payload) {
    std::string line(1, direction);
    char hex[4];
    for (const std::uint8_t byte : payload) {
        std::snprintf(hex, sizeof hex, " %02X", byte);
        line += hex;
    }
    return line;
}

// The command and address part of a written report's trace line.
std::string TracePrefix(const std::vector<std::uint8_t>& payload) {
    return TraceLine('>', payload).substr(0, 1 + 3 * 12);
}

using Entry = std::array<std::uint8_t, 8>;

// The 255 image entries of a golden case, as qen-cli image prints them.
std::vector<Entry> GoldenImage(const std::string& name) {
    std::ifstream in(kData / name / "expected.txt");
    std::vector<Entry> entries;
    for (std::string line; std::getline(in, line);) {
        Entry entry{};
        unsigned index = 0;
        std::array<unsigned, 8> b{};
        EXPECT_EQ(std::sscanf(line.c_str(), "%u: %X %X %X %X %X %X %X %X", &index, &b[0], &b[1],
                              &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]),
                  9);
        for (std::size_t i = 0; i < entry.size(); ++i) entry[i] = static_cast<std::uint8_t>(b[i]);
        entries.push_back(entry);
    }
    EXPECT_EQ(entries.size(), 255u);
    return entries;
}

// Program block n: entries 4n..4n+3, the place after entry 254 sent as zeros.
std::vector<std::uint8_t> ProgramBlock(const std::vector<Entry>& image, std::uint16_t area,
                                       int block) {
    std::vector<std::uint8_t> data;
    for (int i = 4 * block; i < 4 * block + 4; ++i) {
        const Entry entry = i < 255 ? image[static_cast<std::size_t>(i)] : Entry{};
        data.insert(data.end(), entry.begin(), entry.end());
    }
    return Payload(0x0002, static_cast<std::uint16_t>(area + 32 * block), 0x0020, data);
}

TEST(CliBoardTrace, SendShowsTheHandshakeThenTheHeaderAndSixtyFourBlocks) {
    const CliResult run =
        RunTool({"send", Input("every_kind"), "--simulated", "--trace"}, CliBoardAccess{});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = run.OutLines();
    ASSERT_GT(lines.size(), 6u);

    EXPECT_EQ(lines[0], TraceLine('>', Control(0x60)));
    EXPECT_EQ(lines[1], TraceLine('>', Control(0xFF)));
    EXPECT_EQ(lines[2], TraceLine('>', Payload(0x0004, 0xCC00, 0x0020)));
    EXPECT_EQ(lines[3].substr(0, 2), "< ");  // the board information
    EXPECT_EQ(lines[4], TraceLine('>', Payload(0x0004, 0x0370, 0x0020)));
    EXPECT_EQ(lines[5], kHandshakeText);

    const auto start = std::find(lines.begin(), lines.end(), kProgramText);
    ASSERT_NE(start, lines.end()) << run.out;
    const std::vector<std::string> transfer(start + 1, lines.end());
    ASSERT_GE(transfer.size(), 66u);
    EXPECT_EQ(transfer[0], TraceLine('>', Payload(0x0001, 0xC000, 0x0800)));
    const std::vector<Entry> image = GoldenImage("every_kind");
    for (int block = 0; block < 64; ++block)
        EXPECT_EQ(transfer[static_cast<std::size_t>(block) + 1],
                  TraceLine('>', ProgramBlock(image, 0xC000, block)))
            << "block " << block;
    EXPECT_EQ(transfer[65], kDoneText);

    const std::regex traceLine("[<>]( [0-9A-F]{2}){64}");
    for (const std::string& line : lines) {
        const bool notice = line == kHandshakeText || line == kProgramText || line == kDoneText;
        EXPECT_TRUE(notice || std::regex_match(line, traceLine)) << line;
    }
}

// The simulated board handed in as the USB transport, so a test can set it up and look inside.
class CliBoardTest : public ::testing::Test {
protected:
    CliBoardTest() {
        access.usb = [this]() -> IHidTransport& { return board; };
        access.clock = &clock;
    }
    ~CliBoardTest() override {
        EXPECT_FALSE(board.IsOpen());
        EXPECT_EQ(board.Complaints(), std::vector<std::string>{});
    }

    CliResult Run(const std::vector<std::string>& arguments) { return RunTool(arguments, access); }


    link_test::FastClock clock{20};
    SimulatedBoard board{clock};
    CliBoardAccess access;
};

struct AreaCase {
    std::vector<std::string> option;
    StorageArea area;
    StorageArea other;
    std::uint16_t address;
};

class CliSendArea : public CliBoardTest, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(CliSendArea, TheProgramLandsInTheChosenArea) {
    std::vector<std::string> arguments = {"send", Input("every_kind"), "--trace"};
    arguments.insert(arguments.end(), GetParam().option.begin(), GetParam().option.end());
    const CliResult run = Run(arguments);
    ASSERT_EQ(run.exit, 0) << run.err;

    const std::uint16_t address = GetParam().address;
    const std::vector<std::string> lines = run.OutLines();
    const auto header =
        std::find(lines.begin(), lines.end(), TraceLine('>', Payload(0x0001, address, 0x0800)));
    ASSERT_GT(lines.end() - header, 64) << run.out;
    const std::vector<Entry> image = GoldenImage("every_kind");
    EXPECT_EQ(*(header + 64), TraceLine('>', ProgramBlock(image, address, 63)));

    const SimulatedBoard::ProgramArea stored = board.StoredProgram(GetParam().area);
    for (std::size_t i = 0; i < image.size(); ++i) EXPECT_EQ(stored[i], image[i]) << "entry " << i;
    for (const auto& entry : board.StoredProgram(GetParam().other))
        EXPECT_EQ(entry, (Entry{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

INSTANTIATE_TEST_SUITE_P(
    Areas, CliSendArea,
    ::testing::Values(AreaCase{{}, StorageArea::Save1, StorageArea::Save2, 0xC000},
                      AreaCase{{"--area", "1"}, StorageArea::Save1, StorageArea::Save2, 0xC000},
                      AreaCase{{"--area", "2"}, StorageArea::Save2, StorageArea::Save1, 0xD000}));

TEST_F(CliBoardTest, EachCommandPrintsTheMainWindowTexts) {
    const std::string handshake(kHandshakeText);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"run", handshake + "\nNUVO実行エンジンへ通常実行命令\nプログラムを実行します。\n"},
        {"reset", handshake + "\nプログラムをリセットしました。\n"},
        {"clock",
         handshake +
             "\nユーザ設定データを転送中です。終了するまでハードを取り外さないで下さい。\n" +
             std::string(kDoneText) + "\n"},
        {"status", handshake + "\nmode: 0xA0 (PROG)\nprogram: 0x60 (reset)\nlight: 500 lx\n"
                               "temperature: 20 °C\nsound: 0\nswitch: off\nhardware version: 1.0\n"
                               "firmware version: 1.0\n"},
    };
    for (const auto& [command, expected] : cases) {
        const CliResult run = Run({command, "--simulated"});
        EXPECT_EQ(run.exit, 0) << command << ": " << run.err;
        EXPECT_EQ(run.out, expected) << command;
        EXPECT_EQ(run.err, "") << command;
    }
    EXPECT_TRUE(board.Traffic().empty());  // --simulated leaves the USB transport alone
}

TEST_F(CliBoardTest, SendRunAndClockReachTheBoard) {
    ASSERT_EQ(Run({"send", Input("start_led_end")}).exit, 0);
    ASSERT_EQ(Run({"run"}).exit, 0);
    EXPECT_EQ(board.Status().programState, kProgramEnded);
    EXPECT_EQ(board.View().outputs.led, 0xF00);
    ASSERT_EQ(Run({"clock"}).exit, 0);
    EXPECT_EQ(board.StoredClock(), (TimeOfDay{7, 8, 9}));
}

TEST_F(CliBoardTest, ResetSendsOneResetMoreThanConnecting) {
    const auto resetsSent = [&] {
        int count = 0;
        for (const BoardTraffic& report : board.Traffic()) {
            const std::vector<std::uint8_t> payload(report.payload.begin(), report.payload.end());
            if (report.direction == TraceDirection::ToBoard && payload == Control(0x60)) ++count;
        }
        board.ClearTraffic();
        return count;
    };
    ASSERT_EQ(Run({"status"}).exit, 0);
    const int connecting = resetsSent();
    ASSERT_EQ(Run({"run"}).exit, 0);
    board.ClearTraffic();
    ASSERT_EQ(Run({"reset"}).exit, 0);
    EXPECT_EQ(resetsSent(), connecting + 1);
    EXPECT_EQ(board.Status().programState, SimulatedBoard::kResetState);
}

TEST_F(CliBoardTest, StatusDecodesTheBoardsReport) {
    board.SetVersions(0x12, 0x34);
    board.SetMode(0x81);
    board.SetInputs({.light = 480, .temperature = 25, .sound = 7, .switchOn = true});
    const CliResult run = Run({"status"});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kHandshakeText) +
                           "\nmode: 0x81 (reconnect before a transfer)\n"
                           "program: 0x60 (reset)\nlight: 480 lx\ntemperature: 25 °C\nsound: 7\n"
                           "switch: on\nhardware version: 1.2\nfirmware version: 3.4\n");
}

TEST_F(CliBoardTest, StatusShowsASwitchByteItDoesNotKnow) {
    StatusReport status = board.Status();
    status.switchState = 2;
    board.SetStatus(status);
    const CliResult run = Run({"status"});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_NE(run.out.find("\nswitch: ?? (0x02)\n"), std::string::npos) << run.out;
}

TEST_F(CliBoardTest, WithoutABoardEveryCommandSaysSo) {
    board.Unplug();
    const std::vector<std::vector<std::string>> commands = {
        {"send", Input("start_led_end")}, {"run"}, {"reset"}, {"clock"}, {"status", "--trace"}};
    for (const auto& command : commands) {
        const CliResult run = Run(command);
        EXPECT_EQ(run.exit, 1) << command[0];
        EXPECT_EQ(run.out, "") << command[0];
        EXPECT_EQ(run.err, "テルノが見つかりませんでした\n") << command[0];
    }
    const CliResult noUsb = RunTool({"run"}, CliBoardAccess{});
    EXPECT_EQ(noUsb.exit, 1);
    EXPECT_EQ(noUsb.err, "テルノが見つかりませんでした\n");
}

// A board whose node the user may not open: the editor's not-found line,
// then the line that says why and names the udev rule.
TEST(CliBoardAccessTest, ABoardThatCannotBeOpenedIsNamedWithTheWayOut) {
    link_test::FakeHidraw hidraw;
    hidraw.present = {link_test::FakeHidraw::Board("/dev/hidraw5")};
    hidraw.noAccess = {"/dev/hidraw5"};
    HidapiTransport transport(std::make_unique<link_test::FakeHidapi>(hidraw));
    CliBoardAccess access;
    access.usb = [&transport]() -> IHidTransport& { return transport; };

    const CliResult run = RunTool({"status"}, access);
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "テルノが見つかりませんでした\n" + std::string(BoardNotOpenedText()) + "\n");
    EXPECT_NE(run.err.find("udevルール「70-qen-board.rules」"),
              std::string::npos);
}

struct RefusalCase {
    std::uint8_t mode;
    std::vector<std::string> command;
    std::string message;
    std::string notSent;  // the start of the request's trace line; empty: not checked
};

class CliRefusal : public CliBoardTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CliRefusal, ARefusedRequestPrintsItsMessageAndSendsNothing) {
    board.SetMode(GetParam().mode);
    std::vector<std::string> arguments = GetParam().command;
    arguments.push_back("--trace");
    const CliResult run = Run(arguments);
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.err, GetParam().message + "\n");
    if (!GetParam().notSent.empty()) {
        for (const std::string& line : run.OutLines())
            EXPECT_NE(line.rfind(GetParam().notSent, 0), 0u) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CliRefusal,
    ::testing::Values(RefusalCase{0x90,
                                  {"run"},
                                  "セレクトスイッチをPROGに変更して下さい。",
                                  TraceLine('>', Control(0x41))},
                      RefusalCase{0x90, {"reset"}, "セレクトスイッチをPROGに変更して下さい。", ""},
                      RefusalCase{0x81,
                                  {"send", Input("start_led_end")},
                                  "テルノを再接続して下さい。",
                                  TraceLine('>', Payload(0x0001, 0xC000, 0x0800))},
                      RefusalCase{0xC0,
                                  {"clock"},
                                  "テルノを再接続して下さい。",
                                  TracePrefix(Payload(0x0002, 0x0390, 0x0020))}));

TEST_F(CliBoardTest, AFileThatDoesNotLoadIsRefusedAsImageRefusesIt) {
    const std::string file = Input("refused_syntax");
    const CliResult image = RunTool({"image", file}, access);
    const CliResult send = Run({"send", file});
    EXPECT_EQ(send.exit, 1);
    EXPECT_EQ(send.out, "");
    EXPECT_EQ(send.err, image.err);
    EXPECT_FALSE(send.err.empty());
    EXPECT_TRUE(board.Traffic().empty());
}

TEST_F(CliBoardTest, ASilentBoardEndsInATimeOut) {
    board.SetSilent(true);
    access.timeout = 300ms;
    const CliResult run = Run({"run"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "qen-cli: gave up after 0.3 s: the board did not complete the handshake\n");
}

TEST_F(CliBoardTest, ABoardPulledOutDuringTheTransferIsAFailure) {
    board.UnplugAfterWrites(25);  // the handshake writes 5, then header and blocks
    const CliResult run = Run({"send", Input("every_kind")});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.err,
              "qen-cli: the board was lost during the request; not everything reached it\n");
}

TEST(CliBoardUsage, BadUsageExitsWithTheCommandsUsage) {
    const std::string send = "usage: qen-cli send FILE.xml [--area 1|2] [--simulated] [--trace]\n";
    const std::string run = "usage: qen-cli run [--simulated] [--trace]\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"send"}, send},
        {{"send", "a.xml", "b.xml"}, send},
        {{"send", "a.xml", "--area"}, send},
        {{"send", "a.xml", "--area", "3"}, send},
        {{"send", "a.xml", "--area", "1", "--area", "2"}, send},
        {{"run", "--area", "1"}, run},
        {{"run", "now"}, run},
        {{"run", "--simulated", "--simulated"}, run},
        {{"run", "--slow"}, run},
        {{"image", "a.xml", "--trace"}, "usage: qen-cli image FILE.xml\n"},
    };
    for (const auto& [arguments, usage] : cases) {
        const CliResult result = RunTool(arguments, CliBoardAccess{});
        EXPECT_EQ(result.exit, 2) << arguments[0];
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, usage);
    }
    const CliResult help = RunTool({"--help"}, CliBoardAccess{});
    for (const std::string& synopsis : {send, run})
        EXPECT_NE(help.out.find(synopsis.substr(15, synopsis.size() - 16)), std::string::npos);
}

}  // namespace
