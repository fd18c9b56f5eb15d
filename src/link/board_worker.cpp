// The board worker's steps and their pacing.
#include "board_worker.h"

using std::chrono::milliseconds;

namespace {

constexpr milliseconds kCommandPause{100};
constexpr milliseconds kNeutralPause{200};
constexpr milliseconds kBlockPause{10};

std::size_t WindowIndex(LinkWindow window) { return window == LinkWindow::Main ? 0 : 1; }

}  // namespace

BoardWorker::BoardWorker(UsbInterface& usb, ILinkClock& clock, IBoardLinkHost& host,
                         const IProgramSource& source)
    : usb_(usb), clock_(clock), host_(host), source_(source) {}

bool BoardWorker::Step() {
    switch (state_.load()) {
        case BoardStep::HandshakeReset:
            return HandshakeReset();
        case BoardStep::HandshakeInfo:
            return HandshakeInfo();
        case BoardStep::HandshakeStatus:
            return HandshakeStatus();
        case BoardStep::Polling:
            return PollStatus();
        case BoardStep::SendProgram:
            return SendProgram();
        case BoardStep::SendClock:
            return SendClock();
        case BoardStep::SendMelody:
            return SendMelody();
        case BoardStep::Run:
            return Run();
        case BoardStep::Reset:
            return Reset();
        case BoardStep::Stopped:
            break;
    }
    return false;
}

BoardStatus BoardWorker::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

void BoardWorker::Begin() {
    {
        std::lock_guard lock(mutex_);
        abandoned_ = false;
        disabled_ = {};
    }
    state_ = BoardStep::HandshakeReset;
}

void BoardWorker::Halt() { state_ = BoardStep::Stopped; }

bool BoardWorker::Place(BoardStep request) {
    if (request < BoardStep::SendProgram) return false;  // only operations are requested
    BoardStep expected = BoardStep::Polling;
    return state_.compare_exchange_strong(expected, request);
}

bool BoardWorker::PlaceMelody(const MelodyImage& melody) {
    // Only this thread moves the state away from Polling, so the worker
    // cannot be reading melody_ while it is replaced here.
    if (state_.load() != BoardStep::Polling) return false;
    melody_ = melody;
    return Place(BoardStep::SendMelody);
}

void BoardWorker::ForgetModeByte() { lastMode_ = kModeUnknown; }

void BoardWorker::SetConnected(bool connected) {
    std::lock_guard lock(mutex_);
    if (connected) {
        status_.connected = true;
    } else {
        status_.Clear();
    }
    host_.StatusChanged(status_);
}

void BoardWorker::Abandon() {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    for (const LinkWindow window : {LinkWindow::Main, LinkWindow::MelodyEditor}) {
        if (disabled_[WindowIndex(window)]) host_.SetWindowEnabled(window, true);
    }
    disabled_ = {};
}

bool BoardWorker::HandshakeReset() {
    if (!Write(BuildControlReport(ControlValue::Reset))) return false;
    Pause(kCommandPause);
    if (!Write(BuildControlReport(ControlValue::Neutral))) return false;
    Pause(kNeutralPause);
    Advance(BoardStep::HandshakeReset, BoardStep::HandshakeInfo);
    return true;
}

bool BoardWorker::HandshakeInfo() {
    Write(BuildBoardInfoRequest());
    Pause(kCommandPause);
    Report answer{};
    if (!Read(answer)) return false;  // its content is not used
    Pause(kCommandPause);
    Advance(BoardStep::HandshakeInfo, BoardStep::HandshakeStatus);
    return true;
}

bool BoardWorker::HandshakeStatus() {
    if (!Write(BuildStatusRequest())) return false;
    Pause(kCommandPause);
    Advance(BoardStep::HandshakeStatus, BoardStep::Polling);
    Notify({notice::kHandshakeDone, 0});
    return true;
}

bool BoardWorker::PollStatus() {
    Report report{};
    if (!Read(report)) return false;
    Pause(kCommandPause);
    const auto status = DecodeStatusReport(report);
    if (!status) return false;
    StoreValues(*status);
    const bool modeChanged = status->mode != lastMode_.load();
    if (modeChanged) SendReset();
    if (modeChanged || status->programState != lastProgramState_.load()) {
        lastMode_ = status->mode;
        lastProgramState_ = status->programState;
        ReportCommandBytes(status->mode, status->programState);
    }
    ReportStatus();
    return true;
}

bool BoardWorker::SendProgram() {
    Notify({notice::kTransferring, notice::kProgram});
    SetWindow(LinkWindow::Main, false);
    Trace("NUVOフローデータの転送開始\n");
    failedWrites_ = 0;
    if (!Abandoned())
        programs_.BuildImage(source_);  // the source holds the store's lock throughout
    const StorageArea area = host_.ChosenStorageArea();
    Write(BuildProgramHeader(area));
    Pause(kCommandPause);
    for (int block = 0; block < kProgramBlockCount; ++block) {
        Write(BuildProgramBlock(area, programs_.Entries(), block));
        Pause(kBlockPause);
    }
    Trace("NUVOフローデータの転送終了\n");
    SetWindow(LinkWindow::Main, true);
    FinishTransfer(BoardStep::SendProgram, notice::kProgram);
    return true;
}

bool BoardWorker::SendClock() {
    Notify({notice::kTransferring, notice::kClock});
    SetWindow(LinkWindow::Main, false);
    Trace("PCの時刻データの転送開始\n");
    failedWrites_ = 0;
    Pause(kCommandPause);
    Write(BuildClockReport(clock_.LocalTimeOfDay()));
    Pause(kBlockPause);
    Trace("PCの時刻データの転送終了\n");
    SetWindow(LinkWindow::Main, true);
    FinishTransfer(BoardStep::SendClock, notice::kClock);
    return true;
}

void BoardWorker::FinishTransfer(BoardStep from, int subCode) {
    const bool detach = host_.ChosenAfterTransfer() == AfterTransfer::Detach;
    // Polling before the notice, so a request made on seeing it is not refused.
    Advance(from, BoardStep::Polling);
    // A board pulled out on the way must not be told it has everything.
    if (failedWrites_ != 0)
        Notify({notice::kTransferFailed, subCode});
    else if (subCode == notice::kMelody)
        Notify({notice::kTransferDone, notice::kMelody});
    else
        Notify({detach ? notice::kTransferDoneDetach : notice::kTransferDone, 0});
}

bool BoardWorker::SendMelody() {
    Notify({notice::kTransferring, notice::kMelody});
    SetWindow(LinkWindow::MelodyEditor, false);
    Trace("メロディデータの転送開始\n");
    failedWrites_ = 0;
    Write(BuildMelodyHeader());
    Pause(kCommandPause);
    for (int block = 0; block < kMelodyBlockCount; ++block) {
        Write(BuildMelodyBlock(melody_, block));
        Pause(kBlockPause);
    }
    Trace("メロディデータの転送終了\n");
    SetWindow(LinkWindow::MelodyEditor, true);
    FinishTransfer(BoardStep::SendMelody, notice::kMelody);
    return true;
}

bool BoardWorker::Run() {
    Notify({notice::kRunCommand, 0});
    SendRun();
    Advance(BoardStep::Run, BoardStep::Polling);
    Notify({notice::kRunning, 0});
    return true;
}

bool BoardWorker::Reset() {
    SendReset();
    Advance(BoardStep::Reset, BoardStep::Polling);
    Notify({notice::kResetDone, 0});
    return true;
}

void BoardWorker::SendRun() {
    SetWindow(LinkWindow::Main, false);
    Trace("NUVO実行エンジンへ通常実行命令\n");
    Write(BuildControlReport(ControlValue::Run));
    Pause(kCommandPause);
    SetWindow(LinkWindow::Main, true);
}

void BoardWorker::SendReset() {
    SetWindow(LinkWindow::Main, false);
    Trace("NUVO実行エンジンへ通常リセット命令\n");
    Write(BuildControlReport(ControlValue::Reset));
    Pause(kCommandPause);
    SetWindow(LinkWindow::Main, true);
}

void BoardWorker::Advance(BoardStep from, BoardStep to) {
    state_.compare_exchange_strong(from, to);
}

bool BoardWorker::Write(const Payload& payload) {
    const bool written = !Abandoned() && usb_.WriteReport(payload);
    if (!written) ++failedWrites_;
    return written;
}

bool BoardWorker::Read(Report& report) {
    return !Abandoned() && usb_.ReadReport(report, kReadTimeout) == ReadOutcome::Report;
}

void BoardWorker::Pause(milliseconds duration) {
    if (!Abandoned()) clock_.SleepFor(duration);
}

void BoardWorker::Notify(BoardNotice n) {
    std::lock_guard lock(mutex_);
    if (!abandoned_) host_.PostBoardNotice(n);
}

void BoardWorker::SetWindow(LinkWindow window, bool enabled) {
    std::lock_guard lock(mutex_);
    if (abandoned_) return;
    disabled_[WindowIndex(window)] = !enabled;
    host_.SetWindowEnabled(window, enabled);
}

void BoardWorker::Trace(std::string_view line) {
    std::lock_guard lock(mutex_);
    if (!abandoned_) host_.DebugTrace(line);
}

void BoardWorker::StoreValues(const StatusReport& report) {
    std::lock_guard lock(mutex_);
    if (!abandoned_) status_.Store(report);
}

void BoardWorker::ReportCommandBytes(std::uint8_t mode, std::uint8_t programState) {
    std::lock_guard lock(mutex_);
    if (!abandoned_) host_.CommandBytesChanged(mode, programState);
}

void BoardWorker::ReportStatus() {
    std::lock_guard lock(mutex_);
    if (!abandoned_) host_.StatusChanged(status_);
}
