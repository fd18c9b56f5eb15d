// The hidapi transport: udev ids, behaviour with nothing open, and over a
// fake device layer the hidraw framing and a board that cannot be opened.
#include <gtest/gtest.h>

#include "board_link.h"
#include "board_protocol.h"
#include "fake_hidapi.h"
#include "hidapi_transport.h"
#include "link_test_support.h"
#include "udev_device_monitor.h"
#include "usb_interface.h"

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

using link_test::FakeHidapi;
using link_test::FakeHidraw;

constexpr const char* kBoardPath = "/dev/hidraw3";

// The real transport and USB interface over the fake library, the board open.
class HidrawFraming : public ::testing::Test {
protected:
    void SetUp() override {
        hidraw.present = {FakeHidraw::Board(kBoardPath)};
        UsbDeviceInfo info;
        ASSERT_TRUE(usb.OpenDevice(kBoardPath, info));
        EXPECT_EQ(info.devicePath, kBoardPath);
    }

    FakeHidraw hidraw;
    HidapiTransport transport{std::make_unique<FakeHidapi>(hidraw)};
    UsbInterface usb{transport};
};

TEST_F(HidrawFraming, AReadPutsTheSixtyFourBytePayloadAfterTheReportId) {
    Payload sent;
    for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<std::uint8_t>(i + 1);
    hidraw.inputs.emplace_back(sent.begin(), sent.end());

    Report buffer;
    buffer.fill(0xAA);
    ASSERT_EQ(usb.ReadReport(buffer, 200ms), ReadOutcome::Report);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(PayloadOf(buffer), sent);
    EXPECT_EQ(hidraw.readLengths, (std::vector<std::size_t>{kPayloadSize}));
}

TEST_F(HidrawFraming, AWriteSendsReportIdAndPayloadAndSucceedsOnlyForAllSixtyFiveBytes) {
    Payload payload;
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(0xC0 ^ i);
    std::vector<std::uint8_t> framed{0x00};
    framed.insert(framed.end(), payload.begin(), payload.end());

    const struct {
        int written;
        bool ok;
    } cases[] = {{65, true}, {64, false}, {1, false}, {0, false}, {-1, false}};
    for (const auto& c : cases) {
        hidraw.writeCount = c.written;
        hidraw.writes.clear();
        EXPECT_EQ(usb.WriteReport(payload), c.ok) << c.written;
        EXPECT_EQ(hidraw.writes, (std::vector<std::vector<std::uint8_t>>{framed})) << c.written;
    }
}

TEST_F(HidrawFraming, NothingReadWithinTheTimeIsATimeOutAndAClosedDeviceAFailure) {
    Report buffer{};
    EXPECT_EQ(usb.ReadReport(buffer, 30ms), ReadOutcome::TimedOut);
    usb.CloseDevice();
    EXPECT_EQ(usb.ReadReport(buffer, 30ms), ReadOutcome::Failed);
    EXPECT_FALSE(usb.WriteReport(Payload{}));
}

// On Linux a board is listed from sysfs even when its hidraw node is root's
// alone: the link tells that board from no board at all.
TEST(HidapiBoard, ABoardPresentButNotOpenableIsToldFromNoBoard) {
    FakeHidraw hidraw;
    HidapiTransport transport{std::make_unique<FakeHidapi>(hidraw)};
    UsbInterface usb{transport};
    link_test::ManualClock clock;
    link_test::RecordingHost host;
    link_test::FakeProgramSource program;
    BoardLink link(usb, clock, host, program);
    UsbDeviceInfo info;
    UsbDeviceInfo mouse{0x046D, 0xC31C, 0x0100, "", "/dev/hidraw0"};

    hidraw.present = {mouse};
    EXPECT_EQ(link.OpenFirstBoard(info), OpenOutcome::NotFound);

    hidraw.present = {mouse, FakeHidraw::Board(kBoardPath)};
    hidraw.noAccess = {kBoardPath};
    EXPECT_EQ(link.OpenFirstBoard(info), OpenOutcome::OpenFailed);
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_FALSE(link.HasWorker());

    hidraw.noAccess.clear();
    EXPECT_EQ(link.OpenFirstBoard(info), OpenOutcome::Opened);
    link.DetachBoard();
}

}  // namespace
