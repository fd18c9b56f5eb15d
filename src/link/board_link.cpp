// BoardLink: the worker thread's life and the requests placed from the user-interface thread.
#include "board_link.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using std::chrono::milliseconds;

namespace {

constexpr milliseconds kLoopPause{10};
constexpr milliseconds kNeutralReportPause{100};

}  // namespace

struct BoardLink::WorkerRun {
    std::thread thread;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
};

BoardLink::BoardLink(UsbInterface& usb, ILinkClock& clock, IBoardLinkHost& host,
                     const IProgramSource& source, BoardLinkOptions options)
    : usb_(usb), clock_(clock), host_(host), options_(options), worker_(usb, clock, host, source) {}

BoardLink::~BoardLink() {
    worker_.Halt();
    if (run_) {
        run_->stop = true;
        run_->thread.join();
    }
    JoinRetired();
}

bool BoardLink::StartBoardThread() {
    if (run_) return false;
    JoinRetired();  // it was told to stop long ago and does no I/O any more
    worker_.Begin();
    worker_.SetConnected(true);
    run_ = std::make_unique<WorkerRun>();
    run_->thread = std::thread([this, run = run_.get()] { Loop(*run); });
    host_.DebugTrace("StartThread\n");
    return true;
}

void BoardLink::StopBoardThread() {
    worker_.Halt();
    if (run_) {
        run_->stop = true;
        bool ended = false;
        {
            std::unique_lock lock(run_->mutex);
            ended =
                run_->ended.wait_for(lock, options_.stopWait, [this] { return run_->finished; });
        }
        if (ended) {
            run_->thread.join();
            run_.reset();
        } else {
            // Never cut a thread off: it may hold the chart store's lock.
            worker_.Abandon();
            retired_ = std::move(run_);
            host_.ShowAlert(kForcedStopText);
        }
        host_.DebugTrace("StopThread\n");
    }
    worker_.SetConnected(false);
}

void BoardLink::Loop(WorkerRun& run) {
    while (!run.stop) {
        worker_.Step();
        clock_.SleepFor(kLoopPause);
    }
    {
        std::lock_guard lock(run.mutex);
        run.finished = true;
    }
    run.ended.notify_all();
}

void BoardLink::JoinRetired() {
    if (!retired_) return;
    retired_->thread.join();
    retired_.reset();
}

OpenOutcome BoardLink::OpenFirstBoard(UsbDeviceInfo& info) {
    // The handle must not change under a running worker.
    StopBoardThread();
    std::vector<UsbDeviceInfo> boards;
    usb_.EnumerateDevices(boards);
    if (boards.empty()) {
        worker_.ForgetModeByte();
        return OpenOutcome::NotFound;
    }
    if (!usb_.OpenDevice(boards.front().devicePath, info)) return OpenOutcome::OpenFailed;
    StartBoardThread();
    return OpenOutcome::Opened;
}

void BoardLink::DetachBoard() {
    StopBoardThread();
    usb_.CloseDevice();
    worker_.ForgetModeByte();
}

bool BoardLink::ReadyForRequest() const {
    return usb_.IsOpen() && worker_.State() == BoardStep::Polling;
}

RequestResult BoardLink::Placed(bool taken) {
    return taken ? RequestResult::Placed : RequestResult::Busy;
}

RequestResult BoardLink::RequestTransfer(EditorPage page) {
    if (page == EditorPage::Report) return RequestResult::WrongPage;
    if (!ReadyForRequest()) return RequestResult::NotReady;
    if (ModeNeedsReconnect(worker_.LastModeByte())) return RequestResult::NeedsReconnect;
    return Placed(worker_.Place(page == EditorPage::Flowchart ? BoardStep::SendProgram
                                                              : BoardStep::SendClock));
}

RequestResult BoardLink::RequestRun(EditorPage page) {
    if (page != EditorPage::Flowchart) return RequestResult::WrongPage;
    if (!ReadyForRequest()) return RequestResult::NotReady;
    if (worker_.LastModeByte() != kModeProg) return RequestResult::NotProgMode;
    const std::uint8_t state = worker_.LastProgramState();
    if (state == kProgramRunning) return RequestResult::ProgramRunning;
    if (state == kProgramError) return RequestResult::ProgramError;
    return Placed(worker_.Place(BoardStep::Run));
}

RequestResult BoardLink::RequestStopReset(EditorPage page) {
    if (page != EditorPage::Flowchart) return RequestResult::WrongPage;
    if (!ReadyForRequest()) return RequestResult::NotReady;
    if (worker_.LastModeByte() != kModeProg) return RequestResult::NotProgMode;
    return Placed(worker_.Place(BoardStep::Reset));
}

RequestResult BoardLink::RequestMelodyTransfer(const MelodyImage& melody) {
    if (!ReadyForRequest()) return RequestResult::NotReady;
    if (ModeNeedsReconnect(worker_.LastModeByte())) return RequestResult::NeedsReconnect;
    return Placed(worker_.PlaceMelody(melody));
}

void BoardLink::SendNeutralReport() {
    if (!usb_.IsOpen() || !usb_.WriteReport(BuildControlReport(ControlValue::Neutral))) return;
    clock_.SleepFor(kNeutralReportPause);
}

std::string_view RefusalText(RequestResult result) {
    switch (result) {
        case RequestResult::NotReady:
            return kNotReadyText;
        case RequestResult::NeedsReconnect:
            return kReconnectText;
        case RequestResult::NotProgMode:
            return kSelectProgText;
        case RequestResult::Placed:
        case RequestResult::WrongPage:
        case RequestResult::ProgramRunning:
        case RequestResult::ProgramError:
        case RequestResult::Busy:
            break;
    }
    return {};
}
