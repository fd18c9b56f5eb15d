// The board's transport on Linux: hidapi over hidraw for reports, a udev monitor for plug events.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "hid_transport.h"
#include "udev_device_monitor.h"

// One open device as hidapi presents it: a write takes the report id in its
// first byte, a read delivers the report without it.
class IHidapiDevice {
public:
    virtual ~IHidapiDevice() = default;
    // What the device says of itself; nullopt when it cannot be asked.
    virtual std::optional<UsbDeviceInfo> Info() = 0;
    // Bytes written, or -1.
    virtual int Write(const std::uint8_t* data, std::size_t length) = 0;
    // Bytes read, 0 when nothing came within the time, or -1.
    virtual int Read(std::uint8_t* data, std::size_t length, int timeoutMs) = 0;
};

// The hidapi library: the real one, or a fake device layer in tests.
class IHidapi {
public:
    virtual ~IHidapi() = default;
    // Every HID interface present; nullopt when the library cannot list them.
    virtual std::optional<std::vector<UsbDeviceInfo>> Enumerate() = 0;
    // nullptr when the path cannot be opened (on Linux, typically a hidraw
    // node the user may not read and write).
    virtual std::unique_ptr<IHidapiDevice> OpenPath(const std::string& path) = 0;
};

class HidapiTransport final : public IHidTransport {
public:
    // Over the real hidapi library.
    HidapiTransport();
    // Over the given library; the watch for plug events stays udev's.
    explicit HidapiTransport(std::unique_ptr<IHidapi> hidapi);
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override;
    bool Open(const std::string& path, UsbDeviceInfo& info) override;
    void Close() override;
    bool IsOpen() const override;
    int Write(const Report& report) override;
    ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) override;
    bool WatchDevices(DeviceEventSink sink) override;
    void StopWatching() override;

private:
    std::unique_ptr<IHidapi> hidapi_;  // nullptr when the library could not start
    // Guards the device: reads wait in short slices so writes from another thread get a turn.
    std::mutex deviceMutex_;
    std::unique_ptr<IHidapiDevice> device_;
    std::atomic<bool> open_{false};  // IsOpen answers without waiting for a read slice
    std::unique_ptr<UdevDeviceMonitor> monitor_;
};
