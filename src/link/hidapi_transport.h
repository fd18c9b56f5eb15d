// The board's transport on Linux: hidapi over hidraw for reports, a udev monitor for plug events.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "hid_transport.h"
#include "udev_device_monitor.h"

struct hid_device_;

class HidapiTransport final : public IHidTransport {
public:
    HidapiTransport();
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
    struct HidCloser {
        void operator()(hid_device_* device) const;
    };

    bool libraryReady_ = false;
    // Guards the handle: reads wait in short slices so writes from another thread get a turn.
    std::mutex deviceMutex_;
    std::unique_ptr<hid_device_, HidCloser> device_;
    std::atomic<bool> open_{false};  // IsOpen answers without waiting for a read slice
    std::unique_ptr<UdevDeviceMonitor> monitor_;
};
