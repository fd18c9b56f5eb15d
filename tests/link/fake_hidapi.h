// A fake hidapi library under the real HidapiTransport: devices as hidraw
// presents them, a write's byte count chosen by the test, and nodes the user
// may not open.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "board_ids.h"
#include "hidapi_transport.h"

namespace link_test {

// What the fake library holds; the test keeps it and looks inside.
struct FakeHidraw {
    std::mutex mutex;
    std::vector<UsbDeviceInfo> present;
    std::set<std::string> noAccess;  // paths whose node the user may not open
    // Input reports as hidraw delivers them: the payload without a report id.
    std::deque<std::vector<std::uint8_t>> inputs;
    std::vector<std::size_t> readLengths;  // the buffer length of every read
    std::vector<std::vector<std::uint8_t>> writes;
    int writeCount = -2;  // what a write answers; -2: every byte it was given

    static UsbDeviceInfo Board(const std::string& path) {
        return {kBoardVendorId, kBoardProductId, 0x0100, "QEN0001", path};
    }
};

class FakeHidapiDevice final : public IHidapiDevice {
public:
    FakeHidapiDevice(FakeHidraw& hidraw, UsbDeviceInfo info) : hidraw_(hidraw), info_(info) {}

    std::optional<UsbDeviceInfo> Info() override { return info_; }
    int Write(const std::uint8_t* data, std::size_t length) override {
        std::lock_guard lock(hidraw_.mutex);
        hidraw_.writes.emplace_back(data, data + length);
        return hidraw_.writeCount == -2 ? static_cast<int>(length) : hidraw_.writeCount;
    }
    int Read(std::uint8_t* data, std::size_t length, int) override {
        std::lock_guard lock(hidraw_.mutex);
        hidraw_.readLengths.push_back(length);
        if (hidraw_.inputs.empty()) return 0;
        const std::vector<std::uint8_t> input = std::move(hidraw_.inputs.front());
        hidraw_.inputs.pop_front();
        const std::size_t count = std::min(length, input.size());
        std::copy_n(input.begin(), count, data);
        return static_cast<int>(count);
    }

private:
    FakeHidraw& hidraw_;
    UsbDeviceInfo info_;
};

class FakeHidapi final : public IHidapi {
public:
    explicit FakeHidapi(FakeHidraw& hidraw) : hidraw_(hidraw) {}

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override {
        std::lock_guard lock(hidraw_.mutex);
        return hidraw_.present;
    }
    std::unique_ptr<IHidapiDevice> OpenPath(const std::string& path) override {
        std::lock_guard lock(hidraw_.mutex);
        if (hidraw_.noAccess.count(path) != 0) return nullptr;
        for (const UsbDeviceInfo& device : hidraw_.present)
            if (device.devicePath == path)
                return std::make_unique<FakeHidapiDevice>(hidraw_, device);
        return nullptr;
    }

private:
    FakeHidraw& hidraw_;
};

}  // namespace link_test
