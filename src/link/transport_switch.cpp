// Routing the HID transport calls to the real board or to the simulated one.
#include "transport_switch.h"

TransportSwitch::TransportSwitch(IHidTransport& real, IHidTransport& simulated)
    : real_(real), simulatedTransport_(simulated) {}

void TransportSwitch::UseSimulated(bool simulated) {
    if (simulated == simulated_.load()) return;
    Active().Close();
    simulated_ = simulated;
}

std::optional<std::vector<UsbDeviceInfo>> TransportSwitch::Enumerate() {
    return Active().Enumerate();
}

bool TransportSwitch::Open(const std::string& path, UsbDeviceInfo& info) {
    return Active().Open(path, info);
}

void TransportSwitch::Close() { Active().Close(); }

bool TransportSwitch::IsOpen() const { return Active().IsOpen(); }

int TransportSwitch::Write(const Report& report) { return Active().Write(report); }

ReadOutcome TransportSwitch::Read(Report& report, std::chrono::milliseconds timeout) {
    return Active().Read(report, timeout);
}

bool TransportSwitch::WatchDevices(DeviceEventSink sink) {
    {
        std::lock_guard lock(sinkMutex_);
        sink_ = std::move(sink);
    }
    simulatedTransport_.WatchDevices([this](const DeviceEvent& e) { Forward(true, e); });
    return real_.WatchDevices([this](const DeviceEvent& e) { Forward(false, e); });
}

void TransportSwitch::StopWatching() {
    real_.StopWatching();
    simulatedTransport_.StopWatching();
    std::lock_guard lock(sinkMutex_);
    sink_ = nullptr;
}

void TransportSwitch::Forward(bool fromSimulated, const DeviceEvent& event) {
    if (fromSimulated != simulated_.load()) return;
    std::lock_guard lock(sinkMutex_);
    if (sink_) sink_(event);
}
