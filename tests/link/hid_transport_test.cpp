// The hidapi transport's parts that need no board: udev ids and behaviour with nothing open.
#include <gtest/gtest.h>

#include "hidapi_transport.h"
#include "udev_device_monitor.h"

namespace {

using namespace std::chrono_literals;

struct HidIdCase {
    const char* text;
    std::optional<std::uint16_t> vendor;
    std::optional<std::uint16_t> product;
};

class HidIdTest : public ::testing::TestWithParam<HidIdCase> {};

TEST_P(HidIdTest, ReadsVendorAndProductFromTheUdevProperty) {
    const auto ids = ParseHidId(GetParam().text);
    ASSERT_EQ(ids.has_value(), GetParam().vendor.has_value()) << GetParam().text;
    if (ids) {
        EXPECT_EQ(ids->vendorId, *GetParam().vendor);
        EXPECT_EQ(ids->productId, *GetParam().product);
    }
}

INSTANTIATE_TEST_SUITE_P(Properties, HidIdTest,
                         ::testing::Values(HidIdCase{"0003:00003A61:00000B27", 0x3A61, 0x0B27},
                                           HidIdCase{"0005:0000046d:0000c31c", 0x046D, 0xC31C},
                                           HidIdCase{"0003:00013A61:00000B27", std::nullopt,
                                                     std::nullopt},
                                           HidIdCase{"0003:00003A61", std::nullopt, std::nullopt},
                                           HidIdCase{"0003:3A61:0B27x", std::nullopt, std::nullopt},
                                           HidIdCase{"::", std::nullopt, std::nullopt},
                                           HidIdCase{"", std::nullopt, std::nullopt}));

TEST(HidapiTransport, WithNothingOpenEveryReportCallFails) {
    HidapiTransport transport;
    UsbDeviceInfo info;
    EXPECT_FALSE(transport.Open("/dev/no-such-hidraw", info));
    EXPECT_FALSE(transport.IsOpen());
    EXPECT_EQ(transport.Write(Report{}), -1);
    Report report{};
    EXPECT_EQ(transport.Read(report, 50ms), ReadOutcome::Failed);
    EXPECT_TRUE(transport.Enumerate().has_value());
}

TEST(HidapiTransport, StoppingTheDeviceWatchEndsItsThread) {
    HidapiTransport transport;
    if (!transport.WatchDevices([](const DeviceEvent&) {})) {
        GTEST_SKIP() << "udev events cannot be watched here";
    }
    transport.StopWatching();  // returns only once the monitor thread has ended
    EXPECT_TRUE(transport.WatchDevices([](const DeviceEvent&) {}));
}

}  // namespace
