// The transport the editor's USB interface talks through: the platform's HID stack, or the
// simulated board while the user has the virtual board connected.
#pragma once

#include <atomic>
#include <mutex>

#include "hid_transport.h"

class TransportSwitch final : public IHidTransport {
public:
    // Both must outlive the switch; it starts on the real transport.
    TransportSwitch(IHidTransport& real, IHidTransport& simulated);

    // Closes whatever the transport in use has open, then routes every call
    // to the other one. Call it only while no worker uses the transport.
    void UseSimulated(bool simulated);
    bool UsingSimulated() const { return simulated_.load(); }

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override;
    bool Open(const std::string& path, UsbDeviceInfo& info) override;
    void Close() override;
    bool IsOpen() const override;
    int Write(const Report& report) override;
    ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) override;
    // Plug events of the transport in use reach the sink; the other's are dropped.
    bool WatchDevices(DeviceEventSink sink) override;
    void StopWatching() override;

private:
    IHidTransport& Active() const { return simulated_.load() ? simulatedTransport_ : real_; }
    void Forward(bool fromSimulated, const DeviceEvent& event);

    IHidTransport& real_;
    IHidTransport& simulatedTransport_;
    std::atomic<bool> simulated_{false};
    std::mutex sinkMutex_;
    DeviceEventSink sink_;
};
