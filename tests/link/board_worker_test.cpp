// The worker's steps against the strict simulated board, one step at a time on a manual
// clock; every test ends with the board having no complaint about what it was sent.
#include "board_worker.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link_test_support.h"
#include "simulated_board.h"

namespace {

using namespace link_test;
using Ms = std::chrono::milliseconds;

struct Sent {
    Payload payload;
    Ms at;  // since the fixture's start
};

class WorkerTest : public ::testing::Test {
protected:
    WorkerTest() {
        UsbDeviceInfo info;
        usb.OpenDevice(std::string(SimulatedBoard::kDevicePath), info);
        worker.Begin();
    }
    ~WorkerTest() override { EXPECT_EQ(board.Complaints(), std::vector<std::string>{}); }

    // Runs steps until the worker polls; the handshake takes three.
    void Handshake() {
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(worker.Step());
        ASSERT_EQ(worker.State(), BoardStep::Polling);
    }

    // Handshake and the first status report, which always brings one reset.
    void Connected() {
        Handshake();
        ASSERT_TRUE(worker.Step());
        ASSERT_EQ(worker.LastModeByte(), kModeProg);
    }

    std::vector<Sent> SentToBoard() const {
        std::vector<Sent> sent;
        for (const BoardTraffic& t : board.Traffic()) {
            if (t.direction == TraceDirection::ToBoard) {
                sent.push_back({t.payload, std::chrono::duration_cast<Ms>(t.time - start)});
            }
        }
        return sent;
    }

    int CountSent(const Payload& payload) const {
        const auto sent = SentToBoard();
        return static_cast<int>(std::count_if(sent.begin(), sent.end(),
                                              [&](const Sent& s) { return s.payload == payload; }));
    }

    ManualClock clock;
    const ILinkClock::TimePoint start = clock.Now();
    SimulatedBoard board{clock};
    UsbInterface usb{board};
    RecordingHost host;
    FakeProgramSource source{SmallProgram()};
    BoardWorker worker{usb, clock, host, source};
};

TEST_F(WorkerTest, HandshakeSendsResetNeutralInfoAndStatusRequestAtItsPace) {
    Handshake();
    const auto sent = SentToBoard();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].payload, BuildControlReport(ControlValue::Reset));
    EXPECT_EQ(sent[1].payload, BuildControlReport(ControlValue::Neutral));
    EXPECT_EQ(sent[2].payload, BuildBoardInfoRequest());
    EXPECT_EQ(sent[3].payload, BuildStatusRequest());
    // 100 ms after the reset, 200 after the neutral, 100 + read + 100 around the info request.
    EXPECT_EQ(sent[0].at, Ms(0));
    EXPECT_EQ(sent[1].at, Ms(100));
    EXPECT_EQ(sent[2].at, Ms(300));
    EXPECT_EQ(sent[3].at, Ms(500));
    EXPECT_EQ(board.Traffic()[3].direction, TraceDirection::FromBoard);  // the one read
    EXPECT_EQ(host.Notices(), (std::vector<BoardNotice>{{0, 0}}));
}

TEST_F(WorkerTest, FailedHandshakeWritesKeepTheStateAndAreRetried) {
    board.FailWrites(1);  // the reset
    EXPECT_FALSE(worker.Step());
    EXPECT_EQ(worker.State(), BoardStep::HandshakeReset);
    EXPECT_TRUE(board.Traffic().empty());

    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());
    board.FailWrites(1);  // the status request
    EXPECT_FALSE(worker.Step());
    EXPECT_EQ(worker.State(), BoardStep::HandshakeStatus);
    EXPECT_TRUE(host.Notices().empty());

    EXPECT_TRUE(worker.Step());
    EXPECT_EQ(worker.State(), BoardStep::Polling);
    EXPECT_EQ(CountSent(BuildStatusRequest()), 1);
}

TEST_F(WorkerTest, ASilentBoardNeverBlocksTheWorker) {
    board.SetSilent(true);
    ASSERT_TRUE(worker.Step());
    board.ClearTraffic();
    // The info request goes unanswered: the read gives up and the step is tried again.
    for (int i = 0; i < 3; ++i) {
        const auto before = clock.Now();
        EXPECT_FALSE(worker.Step());
        EXPECT_EQ(worker.State(), BoardStep::HandshakeInfo);
        EXPECT_EQ(clock.Now() - before, Ms(100) + kReadTimeout);
    }
    EXPECT_EQ(CountSent(BuildBoardInfoRequest()), 3);
}

TEST_F(WorkerTest, ASilentBoardWhilePollingLeavesTheValuesAlone) {
    Connected();
    const auto statuses = host.Statuses().size();
    board.SetSilent(true);
    const auto before = clock.Now();
    EXPECT_FALSE(worker.Step());
    EXPECT_EQ(clock.Now() - before, kReadTimeout);
    EXPECT_EQ(host.Statuses().size(), statuses);
    EXPECT_EQ(worker.State(), BoardStep::Polling);
}

TEST_F(WorkerTest, TheFirstStatusReportBringsExactlyOneReset) {
    Handshake();
    board.ClearTraffic();
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(CountSent(BuildControlReport(ControlValue::Reset)), 1);
    EXPECT_EQ(host.CommandBytes(),
              (std::vector<std::pair<std::uint8_t, std::uint8_t>>{{0xA0, SimulatedBoard::kResetState}}));
    EXPECT_EQ(host.Windows(), (std::vector<RecordingHost::WindowChange>{{LinkWindow::Main, false},
                                                                        {LinkWindow::Main, true}}));
    const BoardStatus status = worker.Status();
    EXPECT_EQ(status.programState, (StatusValue{true, SimulatedBoard::kResetState}));
    EXPECT_EQ(status.temperature, (StatusValue{true, 20}));
    EXPECT_EQ(host.Statuses().back(), status);
}

TEST_F(WorkerTest, ANewProgramStateUpdatesTheButtonsWithoutAReset) {
    Connected();
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Place(BoardStep::Run));  // the small program ends 2 ms after the run
    ASSERT_TRUE(worker.Step());
    board.ClearTraffic();
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(CountSent(BuildControlReport(ControlValue::Reset)), 0);
    EXPECT_EQ(host.CommandBytes().back(), (std::pair<std::uint8_t, std::uint8_t>{0xA0, 0x10}));
    EXPECT_EQ(worker.LastProgramState(), kProgramEnded);
}

TEST_F(WorkerTest, ANewModeSendsOneResetBeforeTheBytesAreStored) {
    Connected();
    board.ClearTraffic();
    board.SetMode(kModeReconnectA);
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(CountSent(BuildControlReport(ControlValue::Reset)), 1);
    EXPECT_EQ(worker.LastModeByte(), kModeReconnectA);
    EXPECT_EQ(host.CommandBytes().size(), 2u);
}

TEST_F(WorkerTest, AForeignReportWhilePollingIsIgnored) {
    Connected();
    const auto statuses = host.Statuses().size();
    Payload foreign = BuildBoardInfoRequest();
    foreign[19] = 0x00;  // a mode byte that would otherwise count
    board.InjectInputReport(foreign);
    EXPECT_FALSE(worker.Step());
    EXPECT_EQ(host.Statuses().size(), statuses);
    EXPECT_EQ(worker.LastModeByte(), kModeProg);
    EXPECT_TRUE(worker.Step());  // the stream goes on
}

class ProgramTransferTest : public WorkerTest, public ::testing::WithParamInterface<StorageArea> {};

TEST_P(ProgramTransferTest, SendsTheImageToTheChosenAreaAndReportsCompletion) {
    Connected();
    host.ChooseArea(GetParam());
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    EXPECT_TRUE(worker.Step());
    EXPECT_EQ(worker.State(), BoardStep::Polling);
    EXPECT_EQ(source.Collections(), 1);

    using Code = SimulatedBoard::EntryCode;
    const auto stored = board.StoredProgram(GetParam());
    EXPECT_EQ(stored[0], (Code{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}));
    EXPECT_EQ(stored[1], (Code{0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02}));
    EXPECT_EQ(stored[2], (Code{0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0x03}));
    EXPECT_EQ(stored[3], (Code{0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    for (std::size_t i = 4; i < stored.size(); ++i) {
        EXPECT_EQ(stored[i], (Code{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})) << i;
    }
    const StorageArea other =
        GetParam() == StorageArea::Save1 ? StorageArea::Save2 : StorageArea::Save1;
    EXPECT_EQ(board.StoredProgram(other)[1],
              (Code{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    const auto notices = host.Notices();
    EXPECT_EQ(std::vector<BoardNotice>(notices.end() - 2, notices.end()),
              (std::vector<BoardNotice>{{1, 0}, {2, 0}}));
    const auto windows = host.Windows();
    EXPECT_EQ(std::vector<RecordingHost::WindowChange>(windows.end() - 2, windows.end()),
              (std::vector<RecordingHost::WindowChange>{{LinkWindow::Main, false},
                                                        {LinkWindow::Main, true}}));
    const auto traces = host.Traces();
    EXPECT_EQ(
        std::vector<std::string>(traces.end() - 2, traces.end()),
        (std::vector<std::string>{"NUVOフローデータの転送開始\n", "NUVOフローデータの転送終了\n"}));
}

INSTANTIATE_TEST_SUITE_P(Areas, ProgramTransferTest,
                         ::testing::Values(StorageArea::Save1, StorageArea::Save2));

TEST_F(WorkerTest, ProgramBlocksFollowTheHeaderAfter100msThenEvery10ms) {
    Connected();
    board.ClearTraffic();
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    const auto stepStart = std::chrono::duration_cast<Ms>(clock.Now() - start);
    ASSERT_TRUE(worker.Step());

    const auto sent = SentToBoard();
    ASSERT_EQ(sent.size(), 1u + kProgramBlockCount);
    EXPECT_EQ(sent[0].payload, BuildProgramHeader(StorageArea::Save1));
    EXPECT_EQ(sent[0].at, stepStart);
    for (int n = 0; n < kProgramBlockCount; ++n) {
        const Sent& block = sent[1 + static_cast<std::size_t>(n)];
        EXPECT_EQ(ParseReportHeader(block.payload)->address, 0xC000 + 32 * n);
        EXPECT_EQ(block.at, stepStart + Ms(100) + Ms(10) * n) << n;
    }
    EXPECT_EQ(std::chrono::duration_cast<Ms>(clock.Now() - start), stepStart + Ms(100) + Ms(640));
}

TEST_F(WorkerTest, DetachAfterTransferSendsTheProgramOnceAndAsksForTheDetach) {
    Connected();
    host.ChooseAfterTransfer(AfterTransfer::Detach);
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());  // polling again
    EXPECT_EQ(CountSent(BuildProgramHeader(StorageArea::Save1)), 1);
    EXPECT_EQ(host.Notices().back(), (BoardNotice{3, 0}));
    EXPECT_EQ(worker.State(), BoardStep::Polling);
}

TEST_F(WorkerTest, ClockTransferSendsTheLocalTimeOfDay) {
    Connected();
    clock.SetLocalTime({8, 15, 42});
    board.ClearTraffic();
    const auto stepStart = std::chrono::duration_cast<Ms>(clock.Now() - start);
    ASSERT_TRUE(worker.Place(BoardStep::SendClock));
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());  // polling again, after the clock report's pause
    EXPECT_EQ(board.StoredClock(), (TimeOfDay{8, 15, 42}));
    const auto sent = SentToBoard();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].at, stepStart + Ms(100));
    const auto notices = host.Notices();
    EXPECT_EQ(std::vector<BoardNotice>(notices.end() - 2, notices.end()),
              (std::vector<BoardNotice>{{1, 1}, {2, 0}}));
}

TEST_F(WorkerTest, MelodyTransferStoresTheImageAndDisablesOnlyTheMelodyEditor) {
    Connected();
    MelodyImage melody{};
    for (std::size_t i = 0; i < melody.size(); ++i) melody[i] = static_cast<std::uint8_t>(i * 3);
    const auto windowsBefore = host.Windows().size();
    ASSERT_TRUE(worker.PlaceMelody(melody));
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Step());  // polling again, after the last block's pause
    EXPECT_EQ(board.StoredMelody(), melody);
    const auto notices = host.Notices();
    EXPECT_EQ(std::vector<BoardNotice>(notices.end() - 2, notices.end()),
              (std::vector<BoardNotice>{{1, 2}, {2, 2}}));
    const auto windows = host.Windows();
    EXPECT_EQ(std::vector<RecordingHost::WindowChange>(
                  windows.begin() + static_cast<std::ptrdiff_t>(windowsBefore), windows.end()),
              (std::vector<RecordingHost::WindowChange>{{LinkWindow::MelodyEditor, false},
                                                        {LinkWindow::MelodyEditor, true}}));
    EXPECT_EQ(worker.State(), BoardStep::Polling);
}

TEST_F(WorkerTest, RunAndResetDriveTheBoardsProgram) {
    source.Replace(BlinkingProgram());
    Connected();
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    ASSERT_TRUE(worker.Step());
    ASSERT_TRUE(worker.Place(BoardStep::Run));
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(board.Status().programState, kProgramRunning);
    EXPECT_EQ(board.View().outputs.led, 0xF00);
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(worker.LastProgramState(), kProgramRunning);

    ASSERT_TRUE(worker.Place(BoardStep::Reset));
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(board.Status().programState, SimulatedBoard::kResetState);
    ASSERT_TRUE(worker.Step());
    EXPECT_EQ(worker.LastProgramState(), SimulatedBoard::kResetState);
    const auto notices = host.Notices();
    EXPECT_EQ(std::vector<BoardNotice>(notices.end() - 3, notices.end()),
              (std::vector<BoardNotice>{{4, 0}, {5, 0}, {6, 0}}));
    const auto traces = host.Traces();
    EXPECT_EQ(traces.back(), "NUVO実行エンジンへ通常リセット命令\n");
}

TEST_F(WorkerTest, RequestsAreTakenOnlyWhilePolling) {
    EXPECT_FALSE(worker.Place(BoardStep::SendProgram));
    EXPECT_FALSE(worker.PlaceMelody(MelodyImage{}));
    EXPECT_EQ(worker.State(), BoardStep::HandshakeReset);
    Handshake();
    EXPECT_FALSE(worker.Place(BoardStep::HandshakeReset));
    EXPECT_FALSE(worker.Place(BoardStep::Stopped));
    EXPECT_TRUE(worker.Place(BoardStep::Run));
    EXPECT_FALSE(worker.Place(BoardStep::Reset));
}

TEST_F(WorkerTest, UnpluggedDuringTheBlockLoopTheTransferEndsAsFailed) {
    Connected();
    board.ClearTraffic();
    board.UnplugAfterWrites(10);  // header and nine blocks
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    EXPECT_TRUE(worker.Step());
    EXPECT_EQ(SentToBoard().size(), 10u);
    EXPECT_EQ(host.Notices().back(), (BoardNotice{notice::kTransferFailed, notice::kProgram}));
    EXPECT_EQ(host.Windows().back(), (RecordingHost::WindowChange{LinkWindow::Main, true}));
    EXPECT_EQ(worker.State(), BoardStep::Polling);
    EXPECT_FALSE(worker.Step());  // reads fail at once from now on
}

TEST_F(WorkerTest, AnAbandonedWorkerGoesQuietAndGivesTheWindowsBack) {
    Connected();
    const auto noticesBefore = host.Notices().size();
    source.Hold();
    ASSERT_TRUE(worker.Place(BoardStep::SendProgram));
    std::thread step([&] { worker.Step(); });
    ASSERT_TRUE(Eventually([&] { return source.Collections() == 1; }));
    board.ClearTraffic();
    worker.Abandon();
    source.Release();
    step.join();

    EXPECT_TRUE(board.Traffic().empty());
    EXPECT_EQ(host.Notices().size(), noticesBefore + 1);  // only the (1, 0) from before
    EXPECT_EQ(host.Windows().back(), (RecordingHost::WindowChange{LinkWindow::Main, true}));
}

TEST_F(WorkerTest, AStoppedWorkerDoesNothing) {
    worker.Halt();
    EXPECT_FALSE(worker.Step());
    EXPECT_TRUE(board.Traffic().empty());
}

}  // namespace
