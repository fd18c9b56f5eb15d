// An in-process board behind the HID transport interface: a strict board that checks what it
// is sent, counts what a real board could not rely on, and runs the program on the virtual board.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "board_protocol.h"
#include "board_status.h"
#include "hid_transport.h"
#include "link_clock.h"
#include "report_rules.h"
#include "usb_interface.h"
#include "virtual_board.h"

// One report as the board saw it, stamped with the clock's time.
struct BoardTraffic {
    TraceDirection direction = TraceDirection::ToBoard;
    Payload payload{};
    ILinkClock::TimePoint time;
};

class SimulatedBoard final : public IHidTransport {
public:
    static constexpr std::string_view kDevicePath = "\\\\?\\hid#vid_3a61&pid_0b27#sim#0";
    static constexpr std::chrono::milliseconds kStatusPeriod{100};
    static constexpr int kImageEntries = NuvoProgramManager::kEntryCount;

    using EntryCode = std::array<std::uint8_t, kEntryBytes>;
    using ProgramArea = std::array<EntryCode, kImageEntries>;

    // The clock paces the status stream, the program and the pacing checks,
    // and stamps the traffic; it must outlive the board.
    explicit SimulatedBoard(ILinkClock& clock);

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override;
    bool Open(const std::string& path, UsbDeviceInfo& info) override;
    void Close() override;
    bool IsOpen() const override;
    int Write(const Report& report) override;
    ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) override;
    bool WatchDevices(DeviceEventSink sink) override;
    void StopWatching() override;

    // The select switch: mode 0xA0 (PROG) at first.
    void SetMode(std::uint8_t mode);
    void SetVersions(std::uint8_t hardware, std::uint8_t firmware);
    // The light, temperature, sound and switch the program and the status reports see.
    void SetInputs(const EngineInputs& inputs);
    // The program-state byte while no program runs after a reset. Of the two
    // reset values a board may send, the editor offers transfer, run and
    // stop / reset again only on 0x60 (0x40 leaves its commands as they were).
    static constexpr std::uint8_t kResetState = kProgramReset2;

    // What a status report sent now would carry: program state kResetState
    // at first, then 1 running, 0x10 ended or 0x80 execution error.
    StatusReport Status();
    // Sets every byte of the status reports, as a board could send them, for
    // showing how the editor takes them: the mode, versions and readings stay
    // until set again; the program-state byte only until a reset or run
    // report or a stored program changes the board's own.
    void SetStatus(const StatusReport& status);
    // The program, its outputs and the clock now.
    VirtualBoardView View();
    // ×1, ×10 or one instruction at a time; Step runs the next instruction in step mode.
    void SetSpeed(BoardSpeed speed);
    bool Step();
    // Sets the board's clock, which runs on from there.
    void SetTimeOfDay(SimTime msOfDay);

    // Pulls the board out (closing it, stopping its stream and the program)
    // or plugs it in again; a watcher hears of both.
    void Unplug();
    void Plug();
    // Unplugs right after the next count writes have reached the board.
    void UnplugAfterWrites(int count);
    // The next count writes fail.
    void FailWrites(int count);
    // A silent board accepts writes but answers none of them; injected reports still arrive.
    void SetSilent(bool silent);
    // Queues an input report, delivered before the next status report.
    void InjectInputReport(const Payload& payload);
    bool Streaming() const;

    // What the board has stored.
    ProgramArea StoredProgram(StorageArea area) const;
    MelodyImage StoredMelody() const;
    std::optional<TimeOfDay> StoredClock() const;

    // Every report that reached the board or left it, in order, while kept
    // (from the start): a board that runs for hours in the editor keeps none.
    std::vector<BoardTraffic> Traffic() const;
    void ClearTraffic();
    void KeepTraffic(bool keep);

    // Reports ignored for breaking the protocol, and reports or reads that
    // came before the pause the previous report needs, each with its reason.
    int ProtocolErrors() const;
    int PacingErrors() const;
    std::vector<std::string> Complaints() const;

private:
    // A bulk transfer announced by its area header.
    struct Transfer {
        std::uint16_t area = 0;
        int blocks = 0;
        int received = 0;
        std::vector<std::uint8_t> bytes;
    };

    void Apply(const CheckedReport& report, const Payload& payload);
    void ApplyControl(ReportKind kind);
    void BeginTransfer(std::uint16_t area, std::uint16_t size);
    void ApplyBlock(std::uint16_t address, const Payload& payload);
    void ApplyClock(const Payload& payload);
    void Deliver(const Payload& payload, Report& report);
    void ProtocolError(std::string reason);
    void PacingError(std::string reason);
    StatusReport StatusLocked();
    Payload BoardInfoAnswer() const;
    // Pulls the board out under the lock; false when it was out already.
    bool UnplugLocked();
    // Called without mutex_ held, so a watcher may look at the board.
    void TellWatcher(DeviceChange change);

    ILinkClock& clock_;
    mutable std::mutex mutex_;
    VirtualBoard board_;
    bool plugged_ = true;
    bool open_ = false;
    bool silent_ = false;
    bool streaming_ = false;
    int failWrites_ = 0;
    int unplugAfter_ = 0;
    ILinkClock::TimePoint nextStatus_{};
    std::uint8_t mode_ = kModeProg;
    std::uint8_t hardwareVersion_ = 0x10;
    std::uint8_t firmwareVersion_ = 0x10;
    std::optional<StatusReport> setReadings_;     // SetStatus: readings and versions
    std::optional<std::uint8_t> setProgramState_;  // SetStatus: until the program changes
    std::optional<Transfer> transfer_;
    std::optional<TimeOfDay> clockSetting_;
    std::deque<Payload> pending_;
    bool keepTraffic_ = true;
    std::vector<BoardTraffic> traffic_;

    PaceChecker pace_;
    int protocolErrors_ = 0;
    int pacingErrors_ = 0;
    std::vector<std::string> complaints_;

    std::mutex sinkMutex_;  // held while the watcher is told, so StopWatching waits for it
    DeviceEventSink sink_;
};
