// The board link the main window owns: the worker thread, its start and stop, and the requests.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "board_link_host.h"
#include "board_worker.h"
#include "link_clock.h"
#include "program_source.h"
#include "usb_interface.h"

enum class EditorPage { Flowchart = 0, Clock = 1, Report = 2 };

enum class OpenOutcome { NotFound, OpenFailed, Opened };

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

    // Each returns true when the request was placed; refusals show their text.
    bool RequestTransfer(EditorPage page);
    bool RequestRun(EditorPage page);
    bool RequestStopReset(EditorPage page);
    bool RequestMelodyTransfer(const MelodyImage& melody);

    // The two neutral reports sent when the editor's page changes.
    void SendPageSwitch();

    BoardStep State() const { return worker_.State(); }
    std::uint8_t LastModeByte() const { return worker_.LastModeByte(); }
    std::uint8_t LastProgramState() const { return worker_.LastProgramState(); }
    BoardStatus Status() const { return worker_.Status(); }

private:
    struct WorkerRun;

    void Loop(WorkerRun& run);
    void JoinRetired();
    // Board open and worker polling; otherwise shows the not-ready text.
    bool ReadyForRequest();

    UsbInterface& usb_;
    ILinkClock& clock_;
    IBoardLinkHost& host_;
    BoardLinkOptions options_;
    BoardWorker worker_;
    std::unique_ptr<WorkerRun> run_;      // the current worker
    std::unique_ptr<WorkerRun> retired_;  // a worker that outlived its stop, joined later
};
