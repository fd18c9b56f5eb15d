// hidapi (hidraw) reports and udev plug events for the real board.
#include "hidapi_transport.h"

#include <hidapi.h>

#include <algorithm>

namespace {

// A slice of a read; the device's lock is released between slices.
constexpr std::chrono::milliseconds kReadSlice{20};

// hidapi hands out strings as wchar_t, which holds UTF-32 on Linux.
std::string ToUtf8(const wchar_t* text) {
    std::string out;
    if (text == nullptr) return out;
    for (; *text != L'\0'; ++text) {
        const auto c = static_cast<std::uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x110000) {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

UsbDeviceInfo InfoOf(const hid_device_info& device) {
    return UsbDeviceInfo{device.vendor_id, device.product_id, device.release_number,
                         ToUtf8(device.serial_number), device.path != nullptr ? device.path : ""};
}

class HidapiDevice final : public IHidapiDevice {
public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    ~HidapiDevice() override { hid_close(device_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    std::optional<UsbDeviceInfo> Info() override {
        const hid_device_info* info = hid_get_device_info(device_);
        if (info == nullptr) return std::nullopt;
        return InfoOf(*info);
    }
    int Write(const std::uint8_t* data, std::size_t length) override {
        return hid_write(device_, data, length);
    }
    int Read(std::uint8_t* data, std::size_t length, int timeoutMs) override {
        return hid_read_timeout(device_, data, length, timeoutMs);
    }

private:
    hid_device* device_;
};

class HidapiLibrary final : public IHidapi {
public:
    // nullptr when the library cannot start.
    static std::unique_ptr<IHidapi> Start() {
        if (hid_init() != 0) return nullptr;
        return std::make_unique<HidapiLibrary>();
    }
    HidapiLibrary() = default;
    ~HidapiLibrary() override { hid_exit(); }
    HidapiLibrary(const HidapiLibrary&) = delete;
    HidapiLibrary& operator=(const HidapiLibrary&) = delete;

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override {
        std::vector<UsbDeviceInfo> devices;
        hid_device_info* list = hid_enumerate(0, 0);  // every HID interface
        for (const hid_device_info* device = list; device != nullptr; device = device->next)
            devices.push_back(InfoOf(*device));
        hid_free_enumeration(list);
        return devices;
    }
    std::unique_ptr<IHidapiDevice> OpenPath(const std::string& path) override {
        hid_device* device = hid_open_path(path.c_str());
        if (device == nullptr) return nullptr;
        return std::make_unique<HidapiDevice>(device);
    }
};

}  // namespace

HidapiTransport::HidapiTransport() : hidapi_(HidapiLibrary::Start()) {}

HidapiTransport::HidapiTransport(std::unique_ptr<IHidapi> hidapi) : hidapi_(std::move(hidapi)) {}

HidapiTransport::~HidapiTransport() {
    StopWatching();
    Close();
}

std::optional<std::vector<UsbDeviceInfo>> HidapiTransport::Enumerate() {
    if (!hidapi_) return std::nullopt;
    return hidapi_->Enumerate();
}

bool HidapiTransport::Open(const std::string& path, UsbDeviceInfo& info) {
    std::lock_guard lock(deviceMutex_);
    device_.reset();
    open_ = false;
    if (!hidapi_) return false;
    std::unique_ptr<IHidapiDevice> device = hidapi_->OpenPath(path);
    if (!device) return false;
    const std::optional<UsbDeviceInfo> opened = device->Info();
    if (!opened) return false;
    info = *opened;
    info.devicePath = path;
    device_ = std::move(device);
    open_ = true;
    return true;
}

void HidapiTransport::Close() {
    std::lock_guard lock(deviceMutex_);
    device_.reset();
    open_ = false;
}

bool HidapiTransport::IsOpen() const { return open_.load(); }

int HidapiTransport::Write(const Report& report) {
    std::lock_guard lock(deviceMutex_);
    if (!device_) return -1;
    return device_->Write(report.data(), report.size());
}

ReadOutcome HidapiTransport::Read(Report& report, std::chrono::milliseconds timeout) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + timeout;
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now());
        const auto slice = std::clamp(left, std::chrono::milliseconds{0}, kReadSlice);
        {
            std::lock_guard lock(deviceMutex_);
            if (!device_) return ReadOutcome::Failed;
            // hidraw delivers the payload without the report id; keep the 65-byte framing.
            const int read =
                device_->Read(report.data() + 1, kPayloadSize, static_cast<int>(slice.count()));
            if (read < 0) return ReadOutcome::Failed;
            if (read > 0) {
                report[0] = 0x00;
                return ReadOutcome::Report;
            }
        }
        if (left <= kReadSlice) return ReadOutcome::TimedOut;
    }
}

bool HidapiTransport::WatchDevices(DeviceEventSink sink) {
    monitor_.reset();
    monitor_ = UdevDeviceMonitor::Start(std::move(sink));
    return monitor_ != nullptr;
}

void HidapiTransport::StopWatching() { monitor_.reset(); }
