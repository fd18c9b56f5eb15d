// The operations the board link needs from the platform's HID stack.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "board_ids.h"

struct UsbDeviceInfo {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::string serialNumber;  // UTF-8, empty when the device has none
    std::string devicePath;    // what Open takes
};

struct UsbIds {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class DeviceChange { Arrival, Removal, Other };

struct DeviceEvent {
    DeviceChange change = DeviceChange::Other;
    std::string devicePath;
    // Known when the platform reports them with the event; otherwise the
    // board is recognised from the path.
    std::optional<UsbIds> ids;
};

using DeviceEventSink = std::function<void(const DeviceEvent&)>;

enum class ReadOutcome { Report, TimedOut, Failed };

class IHidTransport {
public:
    virtual ~IHidTransport() = default;

    // Every HID interface present; nullopt when the platform cannot list them.
    virtual std::optional<std::vector<UsbDeviceInfo>> Enumerate() = 0;
    // Opens path (closing whatever was open) and fills info from the device.
    virtual bool Open(const std::string& path, UsbDeviceInfo& info) = 0;
    virtual void Close() = 0;
    // Safe to call from any thread.
    virtual bool IsOpen() const = 0;
    // Bytes written, or -1. Safe against a concurrent Read and Close.
    virtual int Write(const Report& report) = 0;
    // Waits at most timeout for one input report (report id in byte 0).
    virtual ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) = 0;
    // Starts delivering arrival and removal events to sink, on any thread.
    virtual bool WatchDevices(DeviceEventSink sink) = 0;
    // Stops the events; no call to the sink is running once it returns.
    virtual void StopWatching() = 0;
};
