// The board link with its real worker thread against the strict simulated board, on a fast
// clock; every test ends with the board having no complaint about what it was sent.
#include "board_link.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link_test_support.h"
#include "simulated_board.h"

namespace {

using namespace link_test;

class BoardLinkTest : public ::testing::Test {
protected:
    ~BoardLinkTest() override {
        link.StopBoardThread();
        EXPECT_EQ(board.Complaints(), std::vector<std::string>{});
    }

    void Connect() {
        UsbDeviceInfo info;
        ASSERT_EQ(link.OpenFirstBoard(info), OpenOutcome::Opened);
        ASSERT_EQ(info.devicePath, SimulatedBoard::kDevicePath);
        ASSERT_TRUE(Eventually([&] { return link.LastModeByte() == board.Status().mode; }));
    }

    void SetMode(std::uint8_t mode) {
        board.SetMode(mode);
        ASSERT_TRUE(Eventually(
            [&] { return link.LastModeByte() == mode && link.State() == BoardStep::Polling; }));
    }

    // Sends the program, runs it and waits until the board reports programState.
    void RunUntilTheBoardSays(std::vector<ObjectCodeEntry> program, std::uint8_t programState) {
        source.Replace(std::move(program));
        ASSERT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
        ASSERT_TRUE(Eventually([&] { return link.State() == BoardStep::Polling; }));
        ASSERT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::Placed);
        ASSERT_TRUE(Eventually([&] {
            return link.LastProgramState() == programState && link.State() == BoardStep::Polling;
        }));
    }

    int CountSent(const Payload& payload) const {
        const auto traffic = board.Traffic();
        return static_cast<int>(
            std::count_if(traffic.begin(), traffic.end(), [&](const BoardTraffic& t) {
                return t.direction == TraceDirection::ToBoard && t.payload == payload;
            }));
    }

    FastClock clock;
    SimulatedBoard board{clock};
    UsbInterface usb{board};
    RecordingHost host;
    FakeProgramSource source{SmallProgram()};
    BoardLink link{usb, clock, host, source};
};

TEST_F(BoardLinkTest, OpeningTheBoardRunsTheHandshakeAndStartsPolling) {
    Connect();
    EXPECT_TRUE(host.HasNotice({0, 0}));
    EXPECT_TRUE(link.HasWorker());
    EXPECT_FALSE(link.StartBoardThread());
    EXPECT_EQ(host.Traces().front(), "StartThread\n");
    ASSERT_TRUE(Eventually([&] { return link.Status().light.valid; }));
    EXPECT_TRUE(link.Status().connected);
    EXPECT_EQ(link.Status().programState, (StatusValue{true, SimulatedBoard::kResetState}));
}

TEST_F(BoardLinkTest, StoppingEndsTheWorkerAndClearsTheValues) {
    Connect();
    link.StopBoardThread();
    EXPECT_FALSE(link.HasWorker());
    EXPECT_EQ(link.State(), BoardStep::Stopped);
    EXPECT_EQ(link.Status(), BoardStatus{});
    EXPECT_EQ(host.Statuses().back(), BoardStatus{});
    EXPECT_EQ(host.Traces().back(), "StopThread\n");
    EXPECT_TRUE(host.Alerts().empty());
}

TEST_F(BoardLinkTest, WithNoBoardOpenRequestsAreRefusedAsNotReady) {
    EXPECT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::NotReady);
    EXPECT_EQ(link.RequestTransfer(EditorPage::Clock), RequestResult::NotReady);
    EXPECT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::NotReady);
    EXPECT_EQ(link.RequestMelodyTransfer(MelodyImage{}), RequestResult::NotReady);
    EXPECT_EQ(link.RequestStopReset(EditorPage::Flowchart), RequestResult::NotReady);
    EXPECT_EQ(link.RequestTransfer(EditorPage::Report), RequestResult::WrongPage);
    EXPECT_EQ(link.RequestRun(EditorPage::Clock), RequestResult::WrongPage);
    EXPECT_EQ(link.RequestStopReset(EditorPage::Report), RequestResult::WrongPage);
}

TEST(RefusalTextTest, TheEditorSaysWhyForSomeRefusalsOnly) {
    EXPECT_EQ(RefusalText(RequestResult::NotReady), kNotReadyText);
    EXPECT_EQ(RefusalText(RequestResult::NeedsReconnect), kReconnectText);
    EXPECT_EQ(RefusalText(RequestResult::NotProgMode), kSelectProgText);
    for (const RequestResult silent :
         {RequestResult::Placed, RequestResult::WrongPage, RequestResult::ProgramRunning,
          RequestResult::ProgramError, RequestResult::Busy})
        EXPECT_TRUE(RefusalText(silent).empty());
}

TEST_F(BoardLinkTest, ATransferRequestDuringTheHandshakeIsRefused) {
    board.SetSilent(true);  // the handshake waits for the board information forever
    UsbDeviceInfo info;
    ASSERT_EQ(link.OpenFirstBoard(info), OpenOutcome::Opened);
    ASSERT_TRUE(Eventually([&] { return link.State() == BoardStep::HandshakeInfo; }));
    EXPECT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::NotReady);
}

class ReconnectModeTest : public BoardLinkTest,
                          public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(ReconnectModeTest, TransfersAskForTheBoardToBeReconnected) {
    Connect();
    SetMode(GetParam());
    EXPECT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::NeedsReconnect);
    EXPECT_EQ(link.RequestTransfer(EditorPage::Clock), RequestResult::NeedsReconnect);
    EXPECT_EQ(link.RequestMelodyTransfer(MelodyImage{}), RequestResult::NeedsReconnect);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReconnectModeTest, ::testing::Values(0x81, 0xC0));

TEST_F(BoardLinkTest, RunAndStopNeedTheSelectSwitchAtProg) {
    Connect();
    SetMode(0x90);
    EXPECT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::NotProgMode);
    EXPECT_EQ(link.RequestStopReset(EditorPage::Flowchart), RequestResult::NotProgMode);
    // Transfers do not.
    EXPECT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
}

TEST_F(BoardLinkTest, RunIsRefusedWhileRunningOrFailed) {
    Connect();
    RunUntilTheBoardSays(BlinkingProgram(), kProgramRunning);
    EXPECT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::ProgramRunning);
    ASSERT_EQ(link.RequestStopReset(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return link.LastProgramState() == SimulatedBoard::kResetState; }));
    RunUntilTheBoardSays(FailingProgram(), kProgramError);
    EXPECT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::ProgramError);
    EXPECT_EQ(link.RequestStopReset(EditorPage::Flowchart), RequestResult::Placed);
}

TEST_F(BoardLinkTest, TransferRunAndResetReachTheBoard) {
    source.Replace(BlinkingProgram());
    Connect();
    ASSERT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return host.HasNotice({2, 0}); }));
    EXPECT_EQ(board.StoredProgram(StorageArea::Save1)[2],
              (SimulatedBoard::EntryCode{0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0x03}));

    ASSERT_TRUE(Eventually([&] { return link.State() == BoardStep::Polling; }));
    ASSERT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return link.LastProgramState() == kProgramRunning; }));
    EXPECT_TRUE(host.HasNotice({5, 0}));
    EXPECT_EQ(link.RequestRun(EditorPage::Flowchart), RequestResult::ProgramRunning);

    ASSERT_EQ(link.RequestStopReset(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return link.LastProgramState() == SimulatedBoard::kResetState; }));
    EXPECT_TRUE(host.HasNotice({6, 0}));
}

TEST_F(BoardLinkTest, ClockPageAndMelodyEditorSendTheirData) {
    Connect();
    ASSERT_EQ(link.RequestTransfer(EditorPage::Clock), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return board.StoredClock().has_value(); }));
    EXPECT_EQ(board.StoredClock(), clock.LocalTimeOfDay());

    MelodyImage melody{};
    melody.fill(0x5A);
    ASSERT_TRUE(Eventually([&] { return link.State() == BoardStep::Polling; }));
    ASSERT_EQ(link.RequestMelodyTransfer(melody), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return host.HasNotice({2, 2}); }));
    EXPECT_EQ(board.StoredMelody(), melody);
}

TEST_F(BoardLinkTest, DetachAfterTransferSendsOnceAndDetaches) {
    host.ChooseAfterTransfer(AfterTransfer::Detach);
    Connect();
    ASSERT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return host.HasNotice({3, 0}); }));
    link.DetachBoard();  // what the main window does for notice 3
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_FALSE(link.HasWorker());
    EXPECT_EQ(link.LastModeByte(), kModeUnknown);
    EXPECT_EQ(CountSent(BuildProgramHeader(StorageArea::Save1)), 1);
}

TEST_F(BoardLinkTest, UnpluggingDuringATransferLeavesEverythingUsable) {
    std::vector<BoardChange> changes;
    std::mutex changesMutex;
    usb.Initialize([&](const DeviceEvent& event) {
        std::string path;
        std::lock_guard lock(changesMutex);
        changes.push_back(usb.ClassifyDeviceChange(event, path));
    });
    ASSERT_TRUE(usb.RegisterForDeviceNotifications());
    Connect();
    board.UnplugAfterWrites(20);
    ASSERT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] {
        return host.HasNotice({notice::kTransferFailed, notice::kProgram});
    }));
    EXPECT_FALSE(host.HasNotice({notice::kTransferDone, 0}));
    {
        std::lock_guard lock(changesMutex);
        EXPECT_EQ(changes, (std::vector<BoardChange>{BoardChange::Removed}));
    }
    link.DetachBoard();
    EXPECT_TRUE(host.Alerts().empty());
    EXPECT_EQ(host.Windows().back(), (RecordingHost::WindowChange{LinkWindow::Main, true}));

    board.Plug();
    Connect();  // and the board comes back as new
    EXPECT_EQ(link.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
}

TEST_F(BoardLinkTest, AWorkerThatOutlivesTheStopIsLeftToFinishSafely) {
    BoardLink slowLink(usb, clock, host, source, BoardLinkOptions{std::chrono::milliseconds(20)});
    UsbDeviceInfo info;
    ASSERT_EQ(slowLink.OpenFirstBoard(info), OpenOutcome::Opened);
    ASSERT_TRUE(Eventually([&] {
        return slowLink.State() == BoardStep::Polling && slowLink.LastModeByte() == kModeProg;
    }));

    source.Hold();  // the chart store stays locked
    ASSERT_EQ(slowLink.RequestTransfer(EditorPage::Flowchart), RequestResult::Placed);
    ASSERT_TRUE(Eventually([&] { return source.Collections() == 1; }));
    slowLink.StopBoardThread();

    EXPECT_EQ(host.Alerts(), (std::vector<std::string>{std::string(kForcedStopText)}));
    EXPECT_EQ(host.Windows().back(), (RecordingHost::WindowChange{LinkWindow::Main, true}));
    EXPECT_EQ(slowLink.Status(), BoardStatus{});
    EXPECT_FALSE(slowLink.HasWorker());

    board.ClearTraffic();
    const auto notices = host.Notices().size();
    source.Release();
    // The late worker does no more I/O and reports nothing; a new start waits for it.
    ASSERT_TRUE(slowLink.StartBoardThread());
    ASSERT_TRUE(Eventually([&] { return host.Notices().size() > notices; }));
    EXPECT_EQ(host.Notices().back(), (BoardNotice{0, 0}));
    EXPECT_EQ(CountSent(BuildProgramHeader(StorageArea::Save1)), 0);
    slowLink.StopBoardThread();
}

TEST_F(BoardLinkTest, OpeningAgainRestartsTheWorkerOnTheNewHandle) {
    Connect();
    Connect();
    const auto traces = host.Traces();
    EXPECT_EQ(std::count(traces.begin(), traces.end(), "StartThread\n"), 2);
    EXPECT_EQ(std::count(traces.begin(), traces.end(), "StopThread\n"), 1);
}

TEST_F(BoardLinkTest, NoBoardPresentForgetsTheModeByte) {
    Connect();
    board.Unplug();
    UsbDeviceInfo info;
    EXPECT_EQ(link.OpenFirstBoard(info), OpenOutcome::NotFound);
    EXPECT_FALSE(link.HasWorker());
    EXPECT_EQ(link.LastModeByte(), kModeUnknown);
}

TEST(NeutralReportTest, AnOpenBoardGetsTheReportAndTimeToActOnIt) {
    ManualClock clock;
    SimulatedBoard board{clock};
    UsbInterface usb{board};
    RecordingHost host;
    FakeProgramSource source{SmallProgram()};
    BoardLink link{usb, clock, host, source};

    link.SendNeutralReport();  // no board open: nothing to send, nothing to wait for
    EXPECT_TRUE(board.Traffic().empty());
    EXPECT_EQ(clock.Now(), ILinkClock::TimePoint{});

    UsbDeviceInfo info;
    ASSERT_TRUE(usb.OpenDevice(std::string(SimulatedBoard::kDevicePath), info));
    link.SendNeutralReport();
    const auto traffic = board.Traffic();
    ASSERT_EQ(traffic.size(), 1u);
    EXPECT_EQ(traffic[0].direction, TraceDirection::ToBoard);
    EXPECT_EQ(traffic[0].payload, BuildControlReport(ControlValue::Neutral));
    EXPECT_EQ(clock.Now() - traffic[0].time, std::chrono::milliseconds(100));
    EXPECT_EQ(board.Complaints(), std::vector<std::string>{});
}

}  // namespace
