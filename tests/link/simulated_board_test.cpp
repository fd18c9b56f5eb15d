// The simulated board's side of the protocol, driven report by report.
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

    void Send(const Payload& payload) { ASSERT_EQ(board.Write(FrameReport(payload)), 65); }

    ReadOutcome Receive(Payload& payload, std::chrono::milliseconds timeout = 200ms) {
        Report report{};
        const ReadOutcome outcome = board.Read(report, timeout);
        payload = PayloadOf(report);
        return outcome;
    }

    ManualClock clock;
    SimulatedBoard board{clock};
};

TEST_F(SimulatedBoardTest, AnswersTheInfoRequestOnceAndOtherwiseTimesOut) {
    Send(BuildBoardInfoRequest());
    Payload answer{};
    ASSERT_EQ(Receive(answer), ReadOutcome::Report);
    EXPECT_EQ(ParseReportHeader(answer)->address, kBoardInfoAddress);

    const auto before = clock.Now();
    EXPECT_EQ(Receive(answer, 200ms), ReadOutcome::TimedOut);
    EXPECT_EQ(clock.Now() - before, 200ms);
}

TEST_F(SimulatedBoardTest, StreamsItsStatusEvery100msAfterTheStatusRequest) {
    StatusReport status = board.Status();
    EXPECT_EQ(status.mode, 0xA0);
    EXPECT_EQ(status.programState, 0x60);
    status.light = 321;
    board.SetStatus(status);

    Send(BuildStatusRequest());
    const auto requested = clock.Now();
    for (int i = 1; i <= 3; ++i) {
        Payload payload{};
        ASSERT_EQ(Receive(payload), ReadOutcome::Report);
        EXPECT_EQ(clock.Now() - requested, i * 100ms);
        const auto decoded = DecodeStatusReport(FrameReport(payload));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->light, 321);
    }
}

TEST_F(SimulatedBoardTest, ControlReportsRunAndResetTheProgram) {
    Send(BuildControlReport(ControlValue::Run));
    EXPECT_EQ(board.Status().programState, kProgramRunning);
    Send(BuildControlReport(ControlValue::Neutral));
    EXPECT_EQ(board.Status().programState, kProgramRunning);
    Send(BuildControlReport(ControlValue::Reset));
    EXPECT_EQ(board.Status().programState, kProgramReset2);
}

TEST_F(SimulatedBoardTest, StoresProgramBlocksOnlyAfterTheirAreaWasAnnounced) {
    NuvoProgramManager::Image image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i].code.fill(static_cast<std::uint8_t>(i));

    const SimulatedBoard::EntryCode erased{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    image[1].code.fill(0x11);
    Send(BuildProgramBlock(StorageArea::Save2, image, 0));  // no header yet
    EXPECT_EQ(board.StoredProgram(StorageArea::Save2)[1], erased);

    Send(BuildProgramHeader(StorageArea::Save2));
    for (int n = 0; n < kProgramBlockCount; ++n)
        Send(BuildProgramBlock(StorageArea::Save2, image, n));
    const auto stored = board.StoredProgram(StorageArea::Save2);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(stored[i], image[i].code) << i;
    }
    EXPECT_EQ(board.StoredProgram(StorageArea::Save1)[7], erased);
}

TEST_F(SimulatedBoardTest, StoresTheMelodyAndTheClock) {
    MelodyImage melody{};
    for (std::size_t i = 0; i < melody.size(); ++i) melody[i] = static_cast<std::uint8_t>(i % 251);
    Send(BuildMelodyHeader());
    for (int n = 0; n < kMelodyBlockCount; ++n) Send(BuildMelodyBlock(melody, n));
    EXPECT_EQ(board.StoredMelody(), melody);

    EXPECT_FALSE(board.StoredClock());
    Send(BuildClockReport({23, 59, 58}));
    EXPECT_EQ(board.StoredClock(), (TimeOfDay{23, 59, 58}));
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
    EXPECT_EQ(board.Write(FrameReport(BuildControlReport(ControlValue::Run))), -1);
    EXPECT_EQ(board.Write(FrameReport(BuildControlReport(ControlValue::Run))), -1);
    EXPECT_EQ(board.Status().programState, kProgramReset2);
    Send(BuildControlReport(ControlValue::Run));
    EXPECT_EQ(board.Status().programState, kProgramRunning);
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
    clock.SleepFor(30ms);
    Payload payload{};
    Receive(payload);
    const auto traffic = board.Traffic();
    ASSERT_EQ(traffic.size(), 2u);
    EXPECT_EQ(traffic[0].direction, TraceDirection::ToBoard);
    EXPECT_EQ(traffic[0].payload, BuildBoardInfoRequest());
    EXPECT_EQ(traffic[1].direction, TraceDirection::FromBoard);
    EXPECT_EQ(traffic[1].time - traffic[0].time, 30ms);
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
