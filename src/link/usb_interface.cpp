// UsbInterface: board enumeration, opening, report framing and plug-event classification.
#include "usb_interface.h"

#include <algorithm>
#include <cctype>

#include "board_protocol.h"

namespace {

// Leading hexadecimal digits of the up to four characters after marker; nullopt without marker.
std::optional<unsigned> HexAfter(const std::string& upper, std::string_view marker) {
    const auto at = upper.find(marker);
    if (at == std::string::npos) return std::nullopt;
    const std::string digits = upper.substr(at + marker.size(), 4);
    unsigned value = 0;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) break;
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                       ? c - '0'
                                                       : c - 'A' + 10);
    }
    return value;
}

bool IsBoard(std::uint16_t vendorId, std::uint16_t productId) {
    return vendorId == kBoardVendorId && productId == kBoardProductId;
}

}  // namespace

UsbInterface::UsbInterface(IHidTransport& transport) : transport_(transport) {}

UsbInterface::~UsbInterface() {
    if (watching_) transport_.StopWatching();
    transport_.Close();
}

bool UsbInterface::Initialize(DeviceEventSink sink) {
    if (initialized_) {
        if (watching_) transport_.StopWatching();
        watching_ = false;
        transport_.Close();
        initialized_ = false;
    }
    sink_ = std::move(sink);
    initialized_ = true;
    return true;
}

int UsbInterface::EnumerateDevices(std::vector<UsbDeviceInfo>& list) {
    const auto present = transport_.Enumerate();
    if (!present) return -1;
    for (const UsbDeviceInfo& device : *present) {
        if (IsBoard(device.vendorId, device.productId)) list.push_back(device);
    }
    return static_cast<int>(present->size());
}

bool UsbInterface::OpenDevice(const std::string& devicePath, UsbDeviceInfo& info) {
    transport_.Close();
    return transport_.Open(devicePath, info);
}

void UsbInterface::CloseDevice() { transport_.Close(); }

bool UsbInterface::IsOpen() const { return transport_.IsOpen(); }

bool UsbInterface::WriteReport(const Payload& payload) {
    if (!transport_.IsOpen()) return false;
    const bool ok = transport_.Write(FrameReport(payload)) == static_cast<int>(kReportSize);
    Trace(TraceDirection::ToBoard, payload, ok);
    return ok;
}

ReadOutcome UsbInterface::ReadReport(Report& buffer, std::chrono::milliseconds timeout) {
    if (!transport_.IsOpen()) return ReadOutcome::Failed;
    buffer.fill(0x00);
    const ReadOutcome outcome = transport_.Read(buffer, timeout);
    if (outcome == ReadOutcome::Report) Trace(TraceDirection::FromBoard, PayloadOf(buffer), true);
    return outcome;
}

bool UsbInterface::RegisterForDeviceNotifications() {
    if (!initialized_) return false;
    if (watching_) transport_.StopWatching();
    watching_ = transport_.WatchDevices(sink_);
    return watching_;
}

void UsbInterface::UnregisterDeviceNotifications() {
    if (watching_) transport_.StopWatching();
    watching_ = false;
}

BoardChange UsbInterface::ClassifyDeviceChange(const DeviceEvent& event,
                                               std::string& devicePath) const {
    if (event.change == DeviceChange::Other) return BoardChange::None;
    const bool board = event.ids ? IsBoard(event.ids->vendorId, event.ids->productId)
                                 : IsBoardDevicePath(event.devicePath);
    if (!board) return BoardChange::None;
    devicePath = event.devicePath;
    return event.change == DeviceChange::Arrival ? BoardChange::Arrived : BoardChange::Removed;
}

bool UsbInterface::IsBoardDevicePath(std::string_view devicePath) {
    std::string upper(devicePath);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto vendor = HexAfter(upper, "VID_");
    if (!vendor || (*vendor & 0xFFFF) != kBoardVendorId) return false;
    const auto product = HexAfter(upper, "PID_");
    return product && (*product & 0xFFFF) == kBoardProductId;
}

void UsbInterface::Trace(TraceDirection direction, const Payload& payload, bool ok) const {
    if (traceHook_) traceHook_(ReportTrace{direction, payload, ok});
}
