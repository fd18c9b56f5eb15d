// Finds, opens and talks to the board over a HID transport, and classifies plug events.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "board_ids.h"
#include "hid_transport.h"

enum class TraceDirection { ToBoard, FromBoard };

// One report as it crossed the link; ok is false for a write that did not go out whole.
struct ReportTrace {
    TraceDirection direction = TraceDirection::ToBoard;
    Payload payload{};
    bool ok = true;
};

using ReportTraceHook = std::function<void(const ReportTrace&)>;

enum class BoardChange { None = 0, Arrived = 1, Removed = 2 };

class UsbInterface {
public:
    // The transport must outlive this object.
    explicit UsbInterface(IHidTransport& transport);
    virtual ~UsbInterface();
    UsbInterface(const UsbInterface&) = delete;
    UsbInterface& operator=(const UsbInterface&) = delete;

    // Always true. A second call first drops the notifications and closes the board.
    bool Initialize(DeviceEventSink sink);
    bool IsInitialized() const { return initialized_; }

    // Appends every present board to list; returns the number of HID
    // interfaces visited, or -1 when the platform cannot list them.
    int EnumerateDevices(std::vector<UsbDeviceInfo>& list);
    bool OpenDevice(const std::string& devicePath, UsbDeviceInfo& info);
    void CloseDevice();
    bool IsOpen() const;

    // True only when all 65 bytes went out.
    bool WriteReport(const Payload& payload);
    // Fills the 65-byte buffer; waits at most timeout.
    ReadOutcome ReadReport(Report& buffer, std::chrono::milliseconds timeout);

    // False when not initialised or when the platform cannot watch devices.
    bool RegisterForDeviceNotifications();
    // Stops the plug events; once it returns the sink is not called any more,
    // so whoever the sink reaches may go.
    void UnregisterDeviceNotifications();
    BoardChange ClassifyDeviceChange(const DeviceEvent& event, std::string& devicePath) const;
    static bool IsBoardDevicePath(std::string_view devicePath);

    // Called for every report written or read, on the thread doing the I/O.
    // Set it before the board is opened.
    void SetTraceHook(ReportTraceHook hook) { traceHook_ = std::move(hook); }

private:
    void Trace(TraceDirection direction, const Payload& payload, bool ok) const;

    IHidTransport& transport_;
    DeviceEventSink sink_;
    bool initialized_ = false;
    bool watching_ = false;
    ReportTraceHook traceHook_;
};
