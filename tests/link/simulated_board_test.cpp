// The simulated board's side of the protocol, driven report by report at the editor's pace:
// answers, status stream, storage, running what it stored, plugging and injected faults.
#include "simulated_board.h"

#include <gtest/gtest.h>

#include "link_test_support.h"

namespace {

using namespace link_test;

class SimulatedBoardTest : public ::testing::Test {
protected:
    SimulatedBoardTest() {
        UsbDeviceInfo info;
        board.Open(std::string(SimulatedBoard::kDevicePath), info);
    }
    ~SimulatedBoardTest() override { EXPECT_EQ(board.Complaints(), std::vector<std::string>{}); }

    // Writes after the pause the previous report needs.
    void Send(const Payload& payload, std::chrono::milliseconds pause = 100ms) {
        clock.SleepFor(pause);
        ASSERT_EQ(board.Write(FrameReport(payload)), 65);
    }

    ReadOutcome Receive(Payload& payload, std::chrono::milliseconds timeout = 200ms) {
        clock.SleepFor(100ms);
        Report report{};
        const ReadOutcome outcome = board.Read(report, timeout);
        payload = PayloadOf(report);
        return outcome;
    }

    // Header and blocks at the editor's pace.
    void SendProgram(StorageArea area, const NuvoProgramManager::Image& image) {
        Send(BuildProgramHeader(area));
        for (int n = 0; n < kProgramBlockCount; ++n)
            Send(BuildProgramBlock(area, image, n), n == 0 ? 100ms : 10ms);
    }

    ManualClock clock;
    SimulatedBoard board{clock};
};

NuvoProgramManager::Image ImageOf(const std::vector<ObjectCodeEntry>& entries) {
    NuvoProgramManager manager;
    manager.BuildImage(FakeProgramSource(entries));
    return manager.Entries();
}

TEST_F(SimulatedBoardTest, AnswersTheInfoRequestOnceAndOtherwiseTimesOut) {
    Send(BuildBoardInfoRequest());
    Payload answer{};
    ASSERT_EQ(Receive(answer), ReadOutcome::Report);
    EXPECT_EQ(ParseReportHeader(answer)->address, kBoardInfoAddress);

    const auto before = clock.Now();
    EXPECT_EQ(Receive(answer, 200ms), ReadOutcome::TimedOut);
    EXPECT_EQ(clock.Now() - before, 300ms);
}

TEST_F(SimulatedBoardTest, StreamsItsStatusEvery100msAfterTheStatusRequest) {
    StatusReport status = board.Status();
    EXPECT_EQ(status.mode, 0xA0);
    EXPECT_EQ(status.programState, SimulatedBoard::kResetState);
    board.SetInputs({.light = 321, .temperature = -5, .sound = 7, .switchOn = true});

    Send(BuildStatusRequest());
    const auto requested = clock.Now();
    for (int i = 1; i <= 3; ++i) {
        Report report{};
        clock.SleepFor(100ms);
        ASSERT_EQ(board.Read(report, 200ms), ReadOutcome::Report);
        EXPECT_EQ(clock.Now() - requested, i * 100ms);
        const auto decoded = DecodeStatusReport(report);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->light, 321);
        EXPECT_EQ(decoded->temperature, 0xFFFB);  // -5 in two's complement
        EXPECT_EQ(decoded->sound, 7);
        EXPECT_EQ(decoded->switchState, 1);
    }
}

TEST_F(SimulatedBoardTest, TheStatusCarriesTheProgramsState) {
    // start -> red -> wait 1 s -> end
    const auto image = ImageOf({{0, 1, Instruction({0x7F, 0x01, 0, 0, 0, 0, 0, 0x02})},
                                {0, 2, Instruction({0x3F, 0x21, 0x80, 0, 0xF0, 0, 0, 0x03})},
                                {0, 3, Instruction({0x37, 0x28, 0x00, 0x0A, 0, 0, 0, 0x04})},
                                {0, 4, Instruction({0x7F, 0x80, 0, 0, 0, 0, 0, 0})}});
    SendProgram(StorageArea::Save1, image);
    Send(BuildControlReport(ControlValue::Run));
    clock.SleepFor(500ms);
    EXPECT_EQ(board.Status().programState, kProgramRunning);
    EXPECT_EQ(board.View().outputs.led, 0xF00);
    clock.SleepFor(600ms);  // the end comes at 1002 ms
    EXPECT_EQ(board.Status().programState, kProgramEnded);

    Send(BuildControlReport(ControlValue::Reset));
    EXPECT_EQ(board.Status().programState, SimulatedBoard::kResetState);
    EXPECT_EQ(board.View().outputs.led, 0);
}

TEST_F(SimulatedBoardTest, TheWindowSetsSpeedStepsAndClock) {
    // start -> red -> wait 1 s -> end
    SendProgram(StorageArea::Save1,
                ImageOf({{0, 1, Instruction({0x7F, 0x01, 0, 0, 0, 0, 0, 0x02})},
                         {0, 2, Instruction({0x3F, 0x21, 0x80, 0, 0xF0, 0, 0, 0x03})},
                         {0, 3, Instruction({0x37, 0x28, 0x00, 0x0A, 0, 0, 0, 0x04})},
                         {0, 4, Instruction({0x7F, 0x80, 0, 0, 0, 0, 0, 0})}}));
    board.SetSpeed(BoardSpeed::Step);
    Send(BuildControlReport(ControlValue::Run));
    clock.SleepFor(5s);
    EXPECT_EQ(board.View().programTime, 0);
    EXPECT_TRUE(board.Step());  // start
    EXPECT_TRUE(board.Step());  // red
    EXPECT_EQ(board.View().outputs.led, 0xF00);
    board.SetSpeed(BoardSpeed::Fast);
    clock.SleepFor(101ms);  // 1010 ms of the program
    EXPECT_EQ(board.Status().programState, kProgramEnded);

    board.SetTimeOfDay(12 * 3600 * 1000);
    clock.SleepFor(100ms);
    EXPECT_EQ(board.View().timeOfDay, 12 * 3600 * 1000 + 1000);  // board time runs ten-fold
}

TEST_F(SimulatedBoardTest, AProgramThatFailsReportsAnExecutionError) {
    // start -> LED with no next symbol
    SendProgram(StorageArea::Save2,
                ImageOf({{0, 1, Instruction({0x7F, 0x01, 0, 0, 0, 0, 0, 0x02})},
                         {0, 2, Instruction({0x3F, 0x21, 0x80, 0, 0xF0, 0, 0, 0xFE})}}));
    Send(BuildControlReport(ControlValue::Run));
    clock.SleepFor(2ms);
    EXPECT_EQ(board.Status().programState, kProgramError);
    EXPECT_EQ(board.View().fault, (EngineFault{FaultKind::NoSuccessor, 2, 0xFE}));
}

TEST_F(SimulatedBoardTest, ARunWithNothingStoredEndsAtOnce) {
    Send(BuildControlReport(ControlValue::Run));
    EXPECT_EQ(board.Status().programState, kProgramEnded);
}

TEST_F(SimulatedBoardTest, StoresTheProgramInTheAnnouncedArea) {
    NuvoProgramManager::Image image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i].code.fill(static_cast<std::uint8_t>(i));
    SendProgram(StorageArea::Save2, image);
    const auto stored = board.StoredProgram(StorageArea::Save2);
    for (std::size_t i = 0; i < stored.size(); ++i) EXPECT_EQ(stored[i], image[i].code) << i;
    const SimulatedBoard::EntryCode erased{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(board.StoredProgram(StorageArea::Save1)[7], erased);
}

TEST_F(SimulatedBoardTest, StoresTheMelodyAndTheClock) {
    MelodyImage melody{};
    for (std::size_t i = 0; i < melody.size(); ++i) melody[i] = static_cast<std::uint8_t>(i % 251);
    Send(BuildMelodyHeader());
    for (int n = 0; n < kMelodyBlockCount; ++n)
        Send(BuildMelodyBlock(melody, n), n == 0 ? 100ms : 10ms);
    EXPECT_EQ(board.StoredMelody(), melody);

    EXPECT_FALSE(board.StoredClock());
    Send(BuildClockReport({23, 59, 58}));
    EXPECT_EQ(board.StoredClock(), (TimeOfDay{23, 59, 58}));
    clock.SleepFor(2s);
    EXPECT_EQ(board.View().timeOfDay, 0);  // midnight
}

TEST_F(SimulatedBoardTest, SetStatusBytesStayButTheProgramStateOnlyUntilTheProgramChanges) {
    StatusReport set = board.Status();
    set.mode = 0x90;
    set.programState = 0x20;
    set.switchState = 2;
    board.SetStatus(set);
    EXPECT_EQ(board.Status(), set);
    Send(BuildControlReport(ControlValue::Run));
    StatusReport after = set;
    after.programState = kProgramEnded;  // nothing stored: the run ends at once
    EXPECT_EQ(board.Status(), after);
    board.SetInputs({});
    EXPECT_EQ(board.Status().switchState, 0);
    EXPECT_EQ(board.Status().mode, 0x90);
}

TEST_F(SimulatedBoardTest, UnpluggingFailsEveryCallAndTellsTheWatcher) {
    std::vector<DeviceEvent> events;
    board.WatchDevices([&](const DeviceEvent& e) { events.push_back(e); });
    Send(BuildStatusRequest());

    board.Unplug();
    Payload payload{};
    EXPECT_FALSE(board.IsOpen());
    EXPECT_EQ(board.Write(FrameReport(BuildStatusRequest())), -1);
    EXPECT_EQ(Receive(payload), ReadOutcome::Failed);
    ASSERT_TRUE(board.Enumerate());
    EXPECT_TRUE(board.Enumerate()->empty());

    board.Plug();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].change, DeviceChange::Removal);
    EXPECT_EQ(events[1].change, DeviceChange::Arrival);
    EXPECT_EQ(events[1].devicePath, SimulatedBoard::kDevicePath);
    EXPECT_EQ(board.Enumerate()->size(), 1u);
    EXPECT_FALSE(board.Streaming());  // a replugged board waits for a new status request
}

TEST_F(SimulatedBoardTest, UnpluggingLosesTheRunningProgramButNotTheStoredOne) {
    // start -> wait 10 s -> end
    SendProgram(StorageArea::Save1,
                ImageOf({{0, 1, Instruction({0x7F, 0x01, 0, 0, 0, 0, 0, 0x02})},
                         {0, 2, Instruction({0x37, 0x28, 0x00, 0x64, 0, 0, 0, 0x03})},
                         {0, 3, Instruction({0x7F, 0x80, 0, 0, 0, 0, 0, 0})}}));
    Send(BuildControlReport(ControlValue::Run));
    board.Unplug();
    board.Plug();
    EXPECT_EQ(board.Status().programState, SimulatedBoard::kResetState);
    EXPECT_EQ(board.StoredProgram(StorageArea::Save1)[2][1], 0x28);
}

TEST_F(SimulatedBoardTest, UnplugsAfterTheGivenNumberOfWrites) {
    board.UnplugAfterWrites(2);
    Send(BuildStatusRequest());
    EXPECT_TRUE(board.IsOpen());
    Send(BuildStatusRequest());
    EXPECT_FALSE(board.IsOpen());
    EXPECT_EQ(board.Traffic().size(), 2u);
}

TEST_F(SimulatedBoardTest, FailedWritesDoNotReachTheBoard) {
    board.FailWrites(2);
    EXPECT_EQ(board.Write(FrameReport(BuildStatusRequest())), -1);
    EXPECT_EQ(board.Write(FrameReport(BuildStatusRequest())), -1);
    EXPECT_FALSE(board.Streaming());
    Send(BuildStatusRequest());
    EXPECT_TRUE(board.Streaming());
    EXPECT_EQ(board.Traffic().size(), 1u);
}

TEST_F(SimulatedBoardTest, ASilentBoardSendsNothingButDeliversAnInjectedReport) {
    board.SetSilent(true);
    Send(BuildStatusRequest());
    Payload payload{};
    EXPECT_EQ(Receive(payload), ReadOutcome::TimedOut);

    Payload foreign{};
    foreign[10] = 0x12;
    board.InjectInputReport(foreign);
    ASSERT_EQ(Receive(payload), ReadOutcome::Report);
    EXPECT_EQ(payload, foreign);
}

TEST_F(SimulatedBoardTest, RecordsTrafficInBothDirectionsWithTimes) {
    Send(BuildBoardInfoRequest());
    Payload payload{};
    Receive(payload);
    const auto traffic = board.Traffic();
    ASSERT_EQ(traffic.size(), 2u);
    EXPECT_EQ(traffic[0].direction, TraceDirection::ToBoard);
    EXPECT_EQ(traffic[0].payload, BuildBoardInfoRequest());
    EXPECT_EQ(traffic[1].direction, TraceDirection::FromBoard);
    EXPECT_EQ(traffic[1].time - traffic[0].time, 100ms);
}

// The editor's virtual board runs for hours: it keeps no traffic, and still answers.
TEST_F(SimulatedBoardTest, KeepsNoTrafficWhenToldNot) {
    board.KeepTraffic(false);
    Send(BuildBoardInfoRequest());
    Payload payload{};
    EXPECT_EQ(Receive(payload), ReadOutcome::Report);
    EXPECT_TRUE(board.Traffic().empty());
}

TEST(SimulatedBoardOpen, OpensOnlyItsOwnPath) {
    ManualClock clock;
    SimulatedBoard board(clock);
    UsbDeviceInfo info;
    EXPECT_FALSE(board.Open("/dev/hidraw9", info));
    ASSERT_TRUE(board.Open(std::string(SimulatedBoard::kDevicePath), info));
    EXPECT_EQ(info.vendorId, kBoardVendorId);
    EXPECT_EQ(info.productId, kBoardProductId);
    EXPECT_TRUE(UsbInterface::IsBoardDevicePath(info.devicePath));
}

}  // namespace
