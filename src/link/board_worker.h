// The board worker's state machine: handshake, status polling, transfers, run and reset.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string_view>

#include "board_link_host.h"
#include "board_protocol.h"
#include "board_status.h"
#include "link_clock.h"
#include "program_image.h"
#include "program_source.h"
#include "usb_interface.h"

enum class BoardStep : int {
    Stopped = 0,
    HandshakeReset = 1,
    HandshakeInfo = 2,
    HandshakeStatus = 3,
    Polling = 4,
    SendProgram = 5,
    SendClock = 6,
    SendMelody = 7,
    Run = 8,
    Reset = 9,
};

// A read waits at most this long, so the worker sees a stop request between reads.
inline constexpr std::chrono::milliseconds kReadTimeout{200};

// Runs one step at a time on whatever thread calls Step; BoardLink drives it
// from its worker thread. The user-interface side only calls the methods
// marked so; everything they share is atomic or under the worker's mutex.
class BoardWorker {
public:
    // All four must outlive the worker.
    BoardWorker(UsbInterface& usb, ILinkClock& clock, IBoardLinkHost& host,
                const IProgramSource& source);
    BoardWorker(const BoardWorker&) = delete;
    BoardWorker& operator=(const BoardWorker&) = delete;

    // Performs the step of the current state once; false when it failed and
    // is to be tried again on the next turn.
    bool Step();

    BoardStep State() const { return state_.load(); }
    std::uint8_t LastModeByte() const { return lastMode_.load(); }
    std::uint8_t LastProgramState() const { return lastProgramState_.load(); }
    BoardStatus Status() const;

    // User-interface side.
    void Begin();  // state HandshakeReset; lifts an earlier Abandon
    void Halt();   // state Stopped
    // Polling -> request (SendProgram ... Reset); false when the worker is not polling.
    bool Place(BoardStep request);
    // Polling -> SendMelody with the image to send.
    bool PlaceMelody(const MelodyImage& melody);
    void ForgetModeByte();              // back to kModeUnknown
    void SetConnected(bool connected);  // false also invalidates every value
    // From now on the worker writes, reads, waits and reports nothing, and
    // the windows it had disabled are enabled again. For a worker that
    // outlived its stop request.
    void Abandon();

private:
    bool HandshakeReset();
    bool HandshakeInfo();
    bool HandshakeStatus();
    bool PollStatus();
    bool SendProgram();
    bool SendClock();
    bool SendMelody();
    bool Run();
    bool Reset();
    void SendReset();
    void SendRun();
    void FinishTransfer(BoardStep from, int subCode);
    // Moves from one state to the next unless the user-interface side changed it meanwhile.
    void Advance(BoardStep from, BoardStep to);

    // The worker's I/O and reports, all silenced once abandoned.
    bool Write(const Payload& payload);
    bool Read(Report& report);
    void Pause(std::chrono::milliseconds duration);
    void Notify(BoardNotice notice);
    void SetWindow(LinkWindow window, bool enabled);
    void Trace(std::string_view line);
    void StoreValues(const StatusReport& report);
    void ReportCommandBytes(std::uint8_t mode, std::uint8_t programState);
    void ReportStatus();
    bool Abandoned() const { return abandoned_.load(); }

    UsbInterface& usb_;
    ILinkClock& clock_;
    IBoardLinkHost& host_;
    const IProgramSource& source_;
    NuvoProgramManager programs_;  // worker thread only
    MelodyImage melody_{};         // written before SendMelody is placed, read by that step
    int failedWrites_ = 0;         // worker thread only; counts the writes of one transfer

    std::atomic<BoardStep> state_{BoardStep::Stopped};
    std::atomic<std::uint8_t> lastMode_{kModeUnknown};
    std::atomic<std::uint8_t> lastProgramState_{0};
    std::atomic<bool> abandoned_{false};

    mutable std::mutex mutex_;  // held around host reports so Abandon cannot interleave
    BoardStatus status_;
    std::array<bool, 2> disabled_{};  // windows this worker disabled, by LinkWindow
};
