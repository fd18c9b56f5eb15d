// What the strict simulated board refuses: reports that break the protocol, transfers
// with blocks missing or out of place, and reports or reads that come before their pause.
#include <gtest/gtest.h>

#include <functional>

#include "link_test_support.h"
#include "simulated_board.h"

namespace {

using namespace link_test;

class StrictBoard : public ::testing::Test {
protected:
    StrictBoard() {
        UsbDeviceInfo info;
        board.Open(std::string(SimulatedBoard::kDevicePath), info);
    }

    void Send(const Report& report, std::chrono::milliseconds pause = 100ms) {
        clock.SleepFor(pause);
        ASSERT_EQ(board.Write(report), 65);
    }
    void Send(const Payload& payload, std::chrono::milliseconds pause = 100ms) {
        Send(FrameReport(payload), pause);
    }
    ReadOutcome Read(std::chrono::milliseconds pause = 100ms) {
        clock.SleepFor(pause);
        Report report{};
        return board.Read(report, 0ms);
    }

    ManualClock clock;
    SimulatedBoard board{clock};
};

// A report the editor writes, with one byte or field changed.
struct BrokenReport {
    std::string name;
    Payload base;
    std::function<void(Report&)> change;
    std::string complaint;
};

void PrintTo(const BrokenReport& c, std::ostream* os) { *os << c.name; }

class BrokenReports : public StrictBoard, public ::testing::WithParamInterface<BrokenReport> {};

TEST_P(BrokenReports, AreIgnoredAndCountedAsProtocolErrors) {
    Report report = FrameReport(GetParam().base);
    GetParam().change(report);
    Send(report);
    EXPECT_EQ(board.ProtocolErrors(), 1);
    EXPECT_EQ(board.PacingErrors(), 0);
    EXPECT_EQ(board.Complaints(), (std::vector<std::string>{"protocol: " + GetParam().complaint}));
    // Nothing happened: no run, no stream, no answer, no clock, no transfer begun.
    EXPECT_EQ(board.Status().programState, SimulatedBoard::kResetState);
    EXPECT_FALSE(board.Streaming());
    EXPECT_EQ(Read(), ReadOutcome::TimedOut);
    EXPECT_FALSE(board.StoredClock());
    Send(BuildProgramBlock(StorageArea::Save1, NuvoProgramManager::Image{}, 0));
    EXPECT_EQ(board.ProtocolErrors(), 2);  // a block without its header
}

// Payload offset n is report offset n + 1.
std::function<void(Report&)> Put(std::size_t payloadOffset, std::vector<std::uint8_t> bytes) {
    return [=](Report& report) {
        for (std::size_t i = 0; i < bytes.size(); ++i) report[payloadOffset + 1 + i] = bytes[i];
    };
}

const Payload kRun = BuildControlReport(ControlValue::Run);
const Payload kClock = BuildClockReport({7, 30, 0});

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenReports,
    ::testing::Values(
        BrokenReport{"ReportId", kRun, [](Report& r) { r[0] = 0x01; }, "report id 0x01, not 0x00"},
        BrokenReport{"Magic", kRun, Put(1, {0x57}), "header byte 1 is 0x57, not 0x56"},
        BrokenReport{"HeaderByte5", kRun, Put(5, {0xFF}), "header byte 5 is 0xFF, not 0x40"},
        BrokenReport{"HeaderBytes14And15", BuildStatusRequest(), Put(14, {0xFF, 0xFF}),
                     "header bytes 14-15 are 0xFFFF, not 0x0020"},
        BrokenReport{"UnknownCommand", kRun, Put(8, {0x00, 0x03}), "unknown command 0x0003"},
        BrokenReport{"ControlComplement", kRun, Put(17, {0xFF}),
                     "control byte 17 is not byte 16 0x41 XOR 0xFF"},
        BrokenReport{"ControlValue", kRun, Put(16, {0x12, 0xED}),
                     "control value 0x12 is none of reset, run and neutral"},
        BrokenReport{"ControlAddress", kRun, Put(10, {0x03, 0x91}),
                     "control report to 0x0391, not 0x0390"},
        BrokenReport{"ControlByteCount", kRun, Put(12, {0x00, 0x40}),
                     "byte count 0x0040, not 0x0020"},
        BrokenReport{"ReadRequestAddress", BuildStatusRequest(), Put(10, {0x12, 0x34}),
                     "read request for 0x1234, which the board cannot answer"},
        BrokenReport{"InfoRequestByteCount", BuildBoardInfoRequest(), Put(12, {0x00, 0x21}),
                     "byte count 0x0021, not 0x0020"},
        BrokenReport{"AreaAddress", BuildProgramHeader(StorageArea::Save1), Put(10, {0xC1, 0x00}),
                     "area header for 0xC100, which is no storage area"},
        BrokenReport{"ProgramByteCount", BuildProgramHeader(StorageArea::Save1),
                     Put(12, {0x04, 0x00}),
                     "area header for 0xC000 announces 0x0400 bytes, not 0x0800"},
        BrokenReport{"MelodyByteCount", BuildMelodyHeader(), Put(12, {0x08, 0x00}),
                     "area header for 0xC800 announces 0x0800 bytes, not 0x0400"},
        BrokenReport{"ClockLeadBytes", kClock, Put(18, {0x00}),
                     "clock data does not start with 00 FF 01"},
        BrokenReport{"ClockHour", kClock, Put(19, {24}), "clock time 24:30:00 is no time of day"}),
    [](const auto& info) { return info.param.name; });

TEST_F(StrictBoard, UnknownClockFieldsAreAllowed) {
    Send(BuildClockReport({TimeOfDay::kUnknown, TimeOfDay::kUnknown, TimeOfDay::kUnknown}));
    EXPECT_EQ(board.ProtocolErrors(), 0);
    EXPECT_EQ(board.StoredClock(), TimeOfDay{});
}

// The image with every entry's bytes set to its number.
NuvoProgramManager::Image Numbered() {
    NuvoProgramManager::Image image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i].code.fill(static_cast<std::uint8_t>(i));
    return image;
}

struct TransferCase {
    std::string name;
    std::vector<Payload> reports;  // after the header, at the editor's pace
    bool taken;
    std::string firstComplaint;
};

void PrintTo(const TransferCase& c, std::ostream* os) { *os << c.name; }

class Transfers : public StrictBoard, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(Transfers, TakeTheAreaOnlyWithEveryBlockInOrderAtItsAddress) {
    Send(BuildProgramHeader(StorageArea::Save1));
    bool first = true;
    for (const Payload& report : GetParam().reports) {
        Send(report, first ? 100ms : 10ms);
        first = false;
    }
    const auto stored = board.StoredProgram(StorageArea::Save1);
    EXPECT_EQ(stored[1], (GetParam().taken ? Numbered()[1].code : SimulatedBoard::EntryCode{
                                                                      0xFF, 0xFF, 0xFF, 0xFF,
                                                                      0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(board.PacingErrors(), 0);
    const auto complaints = board.Complaints();
    if (GetParam().firstComplaint.empty()) {
        EXPECT_TRUE(complaints.empty());
    } else {
        ASSERT_FALSE(complaints.empty());
        EXPECT_EQ(complaints.front(), "protocol: " + GetParam().firstComplaint);
    }
}

std::vector<Payload> Blocks(std::vector<int> numbers, StorageArea area = StorageArea::Save1) {
    std::vector<Payload> blocks;
    for (const int n : numbers) blocks.push_back(BuildProgramBlock(area, Numbered(), n));
    return blocks;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> numbers;
    for (int n = from; n <= to; ++n) numbers.push_back(n);
    return numbers;
}

std::vector<int> Except(int skipped) {
    std::vector<int> numbers = Range(0, 63);
    numbers.erase(numbers.begin() + skipped);
    return numbers;
}

std::vector<int> Swapped(int a, int b) {
    std::vector<int> numbers = Range(0, 63);
    std::swap(numbers[static_cast<std::size_t>(a)], numbers[static_cast<std::size_t>(b)]);
    return numbers;
}

std::vector<Payload> ThenNewHeader(std::vector<Payload> reports) {
    reports.push_back(BuildProgramHeader(StorageArea::Save1));
    return reports;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Transfers,
    ::testing::Values(
        TransferCase{"AllSixtyFourInOrder", Blocks(Range(0, 63)), true, ""},
        TransferCase{"OneMissing", Blocks(Except(5)), false,
                     "block for 0xC0C0 where block 5 for 0xC0A0 was due; the transfer is dropped"},
        TransferCase{"TwoSwapped", Blocks(Swapped(5, 6)), false,
                     "block for 0xC0C0 where block 5 for 0xC0A0 was due; the transfer is dropped"},
        TransferCase{"TheLastMissing", Blocks(Range(0, 62)), false, ""},
        TransferCase{"LeftForANewHeader", ThenNewHeader(Blocks(Range(0, 62))), false,
                     "the transfer to 0xC000 was left after 63 of 64 blocks"},
        TransferCase{"ABlockForTheOtherArea", Blocks({0, 1}, StorageArea::Save2), false,
                     "block for 0xD000 where block 0 for 0xC000 was due; the transfer is dropped"},
        TransferCase{"TheLastBlockTwice", Blocks([] {
                         auto n = Range(0, 63);
                         n.push_back(63);
                         return n;
                     }()),
                     true, "block for 0xC7E0 without an area header"}),
    [](const auto& info) { return info.param.name; });

TEST_F(StrictBoard, BlocksWithoutAHeaderAreRefused) {
    Send(BuildMelodyBlock(MelodyImage{}, 0));
    EXPECT_EQ(board.Complaints(),
              (std::vector<std::string>{"protocol: block for 0xC800 without an area header"}));
}

// One thing the editor does after a pause: a report written, or a read.
struct Action {
    std::chrono::milliseconds pause;
    std::optional<Payload> report;  // none: a read
};

Action W(std::chrono::milliseconds pause, const Payload& report) { return {pause, report}; }
Action R(std::chrono::milliseconds pause) { return {pause, std::nullopt}; }

struct PaceCase {
    std::string name;
    std::vector<Action> actions;
    std::string complaint;  // empty: on time
};

void PrintTo(const PaceCase& c, std::ostream* os) { *os << c.name; }

class Pacing : public StrictBoard, public ::testing::WithParamInterface<PaceCase> {};

TEST_P(Pacing, AReportOrReadBeforeItsPauseIsAPacingError) {
    for (const Action& action : GetParam().actions) {
        if (action.report)
            Send(*action.report, action.pause);
        else
            Read(action.pause);
    }
    EXPECT_EQ(board.ProtocolErrors(), 0);
    if (GetParam().complaint.empty()) {
        EXPECT_EQ(board.Complaints(), std::vector<std::string>{});
    } else {
        EXPECT_EQ(board.PacingErrors(), 1);
        EXPECT_EQ(board.Complaints(), (std::vector<std::string>{"pacing: " + GetParam().complaint}));
    }
}

const Payload kReset = BuildControlReport(ControlValue::Reset);
const Payload kNeutral = BuildControlReport(ControlValue::Neutral);
const Payload kInfo = BuildBoardInfoRequest();
const Payload kStatus = BuildStatusRequest();

INSTANTIATE_TEST_SUITE_P(
    Table, Pacing,
    ::testing::Values(
        PaceCase{"TheHandshakeAtItsPace",
                 {W(0ms, kReset), W(100ms, kNeutral), W(200ms, kInfo), R(100ms),
                  W(100ms, kStatus), R(100ms), R(100ms)},
                 ""},
        PaceCase{"NeutralTooSoonAfterTheReset", {W(0ms, kReset), W(99ms, kNeutral)},
                 "neutral report 99 ms after the reset or run report, 100 ms needed"},
        PaceCase{"InfoRequestTooSoonAfterTheNeutral",
                 {W(0ms, kReset), W(100ms, kNeutral), W(199ms, kInfo)},
                 "board information request 199 ms after the neutral report, 200 ms needed"},
        PaceCase{"ReadTooSoonAfterTheInfoRequest", {W(0ms, kInfo), R(99ms)},
                 "read 99 ms after the board information request, 100 ms needed"},
        PaceCase{"StatusRequestTooSoonAfterARead", {W(0ms, kInfo), R(100ms), W(99ms, kStatus)},
                 "status request 99 ms after the report read, 100 ms needed"},
        PaceCase{"ReadTooSoonAfterTheStatusRequest", {W(0ms, kStatus), R(99ms)},
                 "read 99 ms after the status request, 100 ms needed"},
        PaceCase{"ReadTooSoonAfterARead", {W(0ms, kStatus), R(100ms), R(99ms)},
                 "read 99 ms after the report read, 100 ms needed"},
        PaceCase{"ReadTooSoonAfterTheRunReport", {W(0ms, kRun), R(99ms)},
                 "read 99 ms after the run report, 100 ms needed"},
        PaceCase{"ResetTooSoonAfterAReset", {W(0ms, kReset), W(99ms, kReset)},
                 "reset report 99 ms after the reset report, 100 ms needed"},
        PaceCase{"BlockTooSoonAfterTheMelodyHeader",
                 {W(0ms, BuildMelodyHeader()), W(99ms, BuildMelodyBlock(MelodyImage{}, 0))},
                 "block 99 ms after the melody header, 100 ms needed"},
        PaceCase{"BlockTooSoonAfterABlock",
                 {W(0ms, BuildProgramHeader(StorageArea::Save2)),
                  W(100ms, BuildProgramBlock(StorageArea::Save2, Numbered(), 0)),
                  W(9ms, BuildProgramBlock(StorageArea::Save2, Numbered(), 1))},
                 "block 9 ms after the block, 10 ms needed"},
        PaceCase{"ReadTooSoonAfterTheClockReport", {W(0ms, kClock), R(9ms)},
                 "read 9 ms after the clock report, 10 ms needed"},
        PaceCase{"APageSwitchNeedsNoPauseAfterARead",
                 {W(0ms, kStatus), R(100ms), W(1ms, kNeutral), W(100ms, kNeutral), R(99ms)}, ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
