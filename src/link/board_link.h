// The board link the main window owns: the worker thread, its start and stop, and the requests.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

#include "board_link_host.h"
#include "board_worker.h"
#include "link_clock.h"
#include "program_source.h"
#include "usb_interface.h"

enum class EditorPage { Flowchart = 0, Clock = 1, Report = 2 };

enum class OpenOutcome { NotFound, OpenFailed, Opened };

// What became of a request: placed with the worker, or why it was not.
enum class RequestResult {
    Placed,
    WrongPage,       // the request does not act on the editor's page
    NotReady,        // no board open, or the handshake has not finished
    NeedsReconnect,  // the board's mode needs it plugged in again before a transfer
    NotProgMode,     // run and stop / reset need the select switch at PROG
    ProgramRunning,  // run: the program runs already
    ProgramError,    // run: the program stopped with an execution error
    Busy,            // the worker took up another operation first
};

// The editor's message for a refusal, such as "テルノを再接続して下さい。";
// empty for the refusals it passes over in silence.
std::string_view RefusalText(RequestResult result);

struct BoardLinkOptions {
    // How long StopBoardThread waits for the worker before giving up on it.
    std::chrono::milliseconds stopWait{2000};
};

// Every operation runs on the user-interface thread. The host's worker-side
// calls must not call back into the link; queue them to that thread instead.
class BoardLink {
public:
    // All four must outlive the link.
    BoardLink(UsbInterface& usb, ILinkClock& clock, IBoardLinkHost& host,
              const IProgramSource& source, BoardLinkOptions options = {});
    // Waits for the worker without reporting anything; call StopBoardThread
    // while the host can still take reports.
    ~BoardLink();
    BoardLink(const BoardLink&) = delete;
    BoardLink& operator=(const BoardLink&) = delete;

    // Starts the handshake on a new worker; false when one is running.
    bool StartBoardThread();
    // Stops the worker; one that does not end within the stop wait is told
    // to give up its I/O and reports, the windows are enabled again and
    // "スレッド強制停止" is shown. Always leaves the information values cleared.
    void StopBoardThread();
    bool HasWorker() const { return run_ != nullptr; }

    // Stops the worker, then opens the first board present and starts the handshake.
    OpenOutcome OpenFirstBoard(UsbDeviceInfo& info);
    // Stops the worker and closes the board.
    void DetachBoard();

    // Each places its operation with the worker or says why it did not; the
    // caller shows the refusal.
    RequestResult RequestTransfer(EditorPage page);
    RequestResult RequestRun(EditorPage page);
    RequestResult RequestStopReset(EditorPage page);
    RequestResult RequestMelodyTransfer(const MelodyImage& melody);

    // One neutral report to an open board, then the pause the board needs to
    // act on it; the editor sends these around a page switch. Nothing to send
    // with no board open, so nothing to wait for.
    void SendNeutralReport();

    BoardStep State() const { return worker_.State(); }
    std::uint8_t LastModeByte() const { return worker_.LastModeByte(); }
    std::uint8_t LastProgramState() const { return worker_.LastProgramState(); }
    BoardStatus Status() const { return worker_.Status(); }

private:
    struct WorkerRun;

    void Loop(WorkerRun& run);
    void JoinRetired();
    // Board open and worker polling.
    bool ReadyForRequest() const;
    // The worker takes the operation, or was found busy with another.
    static RequestResult Placed(bool taken);

    UsbInterface& usb_;
    ILinkClock& clock_;
    IBoardLinkHost& host_;
    BoardLinkOptions options_;
    BoardWorker worker_;
    std::unique_ptr<WorkerRun> run_;      // the current worker
    std::unique_ptr<WorkerRun> retired_;  // a worker that outlived its stop, joined later
};
