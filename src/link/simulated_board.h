// An in-process board behind the HID transport interface, for tests and for trying the editor
// without hardware.
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
#include "usb_interface.h"

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

    // The clock paces the status stream and stamps the traffic; it must outlive the board.
    explicit SimulatedBoard(ILinkClock& clock);

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override;
    bool Open(const std::string& path, UsbDeviceInfo& info) override;
    void Close() override;
    bool IsOpen() const override;
    int Write(const Report& report) override;
    ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) override;
    bool WatchDevices(DeviceEventSink sink) override;
    void StopWatching() override;

    // What the status reports carry; mode 0xA0 (PROG) and program state 0x60 (reset) at first.
    void SetStatus(const StatusReport& status);
    StatusReport Status() const;

    // Pulls the board out (closing it and stopping its stream) or plugs it in again;
    // a watcher hears of both.
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

    // Every report that reached the board or left it, in order.
    std::vector<BoardTraffic> Traffic() const;
    void ClearTraffic();

private:
    struct Area {
        std::uint16_t address;
        std::vector<std::uint8_t> bytes;
    };

    void Apply(const Payload& payload);
    void ApplyControl(const Payload& payload);
    void ApplyBlock(std::uint16_t address, const Payload& payload);
    void Deliver(const Payload& payload, Report& report);
    Payload BoardInfoAnswer() const;
    // Pulls the board out under the lock; false when it was out already.
    bool UnplugLocked();
    // Called without mutex_ held, so a watcher may look at the board.
    void TellWatcher(DeviceChange change);
    Area* FindArea(std::uint16_t address);
    const Area& AreaAt(std::uint16_t address) const;

    ILinkClock& clock_;
    mutable std::mutex mutex_;
    bool plugged_ = true;
    bool open_ = false;
    bool silent_ = false;
    bool streaming_ = false;
    int failWrites_ = 0;
    int unplugAfter_ = 0;
    ILinkClock::TimePoint nextStatus_{};
    std::optional<std::uint16_t> announcedArea_;
    StatusReport status_;
    std::deque<Payload> pending_;
    std::vector<Area> areas_;
    std::optional<TimeOfDay> clockSetting_;
    std::vector<BoardTraffic> traffic_;
    std::mutex sinkMutex_;  // held while the watcher is told, so StopWatching waits for it
    DeviceEventSink sink_;
};
