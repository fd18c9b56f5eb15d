// The udev monitor behind the hidapi transport's plug events.
#include "udev_device_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <string>

namespace {

std::optional<unsigned long> HexField(std::string_view field) {
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (error != std::errc() || end != field.data() + field.size() || field.empty()) {
        return std::nullopt;
    }
    return value;
}

DeviceChange ChangeOf(const char* action) {
    const std::string_view a = action != nullptr ? action : "";
    if (a == "add") return DeviceChange::Arrival;
    if (a == "remove") return DeviceChange::Removal;
    return DeviceChange::Other;
}

}  // namespace

std::optional<UsbIds> ParseHidId(std::string_view hidId) {
    const auto first = hidId.find(':');
    const auto second = first == std::string_view::npos ? first : hidId.find(':', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto vendor = HexField(hidId.substr(first + 1, second - first - 1));
    const auto product = HexField(hidId.substr(second + 1));
    if (!HexField(hidId.substr(0, first)) || !vendor || !product || *vendor > 0xFFFF ||
        *product > 0xFFFF) {
        return std::nullopt;
    }
    return UsbIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
}

void UdevDeviceMonitor::UdevRelease::operator()(udev* context) const { udev_unref(context); }

void UdevDeviceMonitor::UdevRelease::operator()(udev_monitor* monitor) const {
    udev_monitor_unref(monitor);
}

std::unique_ptr<UdevDeviceMonitor> UdevDeviceMonitor::Start(DeviceEventSink sink) {
    Context context(udev_new());
    if (!context) return nullptr;
    // The hid device's own events carry HID_ID, on removal too, when sysfs is already gone.
    Monitor monitor(udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hid", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0) {
        return nullptr;
    }
    const int wakeFd = eventfd(0, EFD_CLOEXEC);
    if (wakeFd < 0) return nullptr;
    return std::make_unique<UdevDeviceMonitor>(Key{}, std::move(context), std::move(monitor),
                                               wakeFd, std::move(sink));
}

UdevDeviceMonitor::UdevDeviceMonitor(Key, Context context, Monitor monitor, int wakeFd,
                                     DeviceEventSink sink)
    : context_(std::move(context)),
      monitor_(std::move(monitor)),
      wakeFd_(wakeFd),
      sink_(std::move(sink)),
      thread_([this] { Watch(); }) {}

UdevDeviceMonitor::~UdevDeviceMonitor() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
    thread_.join();
    close(wakeFd_);
}

void UdevDeviceMonitor::Watch() {
    std::array<pollfd, 2> fds{pollfd{udev_monitor_get_fd(monitor_.get()), POLLIN, 0},
                              pollfd{wakeFd_, POLLIN, 0}};
    while (true) {
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) return;
        if ((fds[0].revents & POLLIN) != 0) Receive();
    }
}

void UdevDeviceMonitor::Receive() {
    udev_device* device = udev_monitor_receive_device(monitor_.get());
    if (device == nullptr) return;
    DeviceEvent event;
    event.change = ChangeOf(udev_device_get_action(device));
    const char* path = udev_device_get_syspath(device);
    event.devicePath = path != nullptr ? path : "";
    if (const char* hidId = udev_device_get_property_value(device, "HID_ID")) {
        event.ids = ParseHidId(hidId);
    }
    udev_device_unref(device);
    sink_(event);
}
