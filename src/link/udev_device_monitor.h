// Watches udev for HID devices coming and going and reports them with their USB ids.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <thread>

#include "hid_transport.h"

struct udev;
struct udev_monitor;

// The vendor and product of a HID_ID property such as "0003:00003A61:00000B27".
std::optional<UsbIds> ParseHidId(std::string_view hidId);

class UdevDeviceMonitor {
public:
    // nullptr when udev cannot be watched. The sink is called on the monitor's own thread.
    static std::unique_ptr<UdevDeviceMonitor> Start(DeviceEventSink sink);
    // Returns once the monitor's thread has ended.
    ~UdevDeviceMonitor();
    UdevDeviceMonitor(const UdevDeviceMonitor&) = delete;
    UdevDeviceMonitor& operator=(const UdevDeviceMonitor&) = delete;

private:
    struct Key {
        explicit Key() = default;
    };
    struct UdevRelease {
        void operator()(udev* context) const;
        void operator()(udev_monitor* monitor) const;
    };
    using Context = std::unique_ptr<udev, UdevRelease>;
    using Monitor = std::unique_ptr<udev_monitor, UdevRelease>;

public:
    // Only Start can make the key.
    UdevDeviceMonitor(Key, Context context, Monitor monitor, int wakeFd, DeviceEventSink sink);

private:
    void Watch();
    void Receive();

    Context context_;
    Monitor monitor_;
    int wakeFd_;  // an eventfd that ends Watch
    DeviceEventSink sink_;
    std::thread thread_;
};
