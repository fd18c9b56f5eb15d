// UsbInterface over a scripted transport: enumeration, framing, writes, events.
#include "usb_interface.h"

#include <gtest/gtest.h>

#include "board_protocol.h"

namespace {

using namespace std::chrono_literals;

// A transport whose answers the test sets.
class ScriptedTransport final : public IHidTransport {
public:
    std::optional<std::vector<UsbDeviceInfo>> devices = std::vector<UsbDeviceInfo>{};
    int writeResult = static_cast<int>(kReportSize);
    std::vector<Report> written;
    Report toRead{};
    ReadOutcome readOutcome = ReadOutcome::Report;
    bool open = false;
    int watchCalls = 0;
    int stopWatchCalls = 0;
    DeviceEventSink sink;

    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override { return devices; }
    bool Open(const std::string& path, UsbDeviceInfo& info) override {
        open = path.find("good") != std::string::npos;
        if (open) info.devicePath = path;
        return open;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    int Write(const Report& report) override {
        written.push_back(report);
        return writeResult;
    }
    ReadOutcome Read(Report& report, std::chrono::milliseconds) override {
        if (readOutcome == ReadOutcome::Report) report = toRead;
        return readOutcome;
    }
    bool WatchDevices(DeviceEventSink s) override {
        ++watchCalls;
        sink = std::move(s);
        return true;
    }
    void StopWatching() override { ++stopWatchCalls; }
};

UsbDeviceInfo Device(std::uint16_t vendor, std::uint16_t product, std::string path) {
    return UsbDeviceInfo{vendor, product, 0x0100, "", std::move(path)};
}

class UsbInterfaceTest : public ::testing::Test {
protected:
    ScriptedTransport transport;
    UsbInterface usb{transport};
};

TEST_F(UsbInterfaceTest, ListsOnlyBoardsInEnumerationOrderAndCountsEveryInterface) {
    transport.devices = std::vector<UsbDeviceInfo>{
        Device(0x046D, 0xC31C, "keyboard"), Device(0x3A61, 0x0B27, "board-a"),
        Device(0x3A61, 0x0B28, "other-product"), Device(0x3A61, 0x0B27, "board-b")};
    std::vector<UsbDeviceInfo> boards;
    EXPECT_EQ(usb.EnumerateDevices(boards), 4);
    ASSERT_EQ(boards.size(), 2u);
    EXPECT_EQ(boards[0].devicePath, "board-a");
    EXPECT_EQ(boards[1].devicePath, "board-b");
}

TEST_F(UsbInterfaceTest, AnUnavailableDeviceListGivesMinusOneAndLeavesTheListAlone) {
    transport.devices = std::nullopt;
    std::vector<UsbDeviceInfo> boards{Device(1, 2, "kept")};
    EXPECT_EQ(usb.EnumerateDevices(boards), -1);
    EXPECT_EQ(boards.size(), 1u);
}

TEST_F(UsbInterfaceTest, WritesFrameThePayloadBehindReportIdZero) {
    transport.open = true;
    const Payload payload = BuildStatusRequest();
    EXPECT_TRUE(usb.WriteReport(payload));
    ASSERT_EQ(transport.written.size(), 1u);
    EXPECT_EQ(transport.written[0], FrameReport(payload));
}

TEST_F(UsbInterfaceTest, AWriteCountsOnlyWhenAll65BytesWent) {
    transport.open = true;
    for (const int result : {-1, 0, 64, 66}) {
        transport.writeResult = result;
        EXPECT_FALSE(usb.WriteReport(BuildStatusRequest())) << result;
    }
    transport.writeResult = 65;
    EXPECT_TRUE(usb.WriteReport(BuildStatusRequest()));
}

TEST_F(UsbInterfaceTest, WithNoBoardOpenWritesAndReadsFailAtOnce) {
    Report buffer{};
    EXPECT_FALSE(usb.WriteReport(BuildStatusRequest()));
    EXPECT_EQ(usb.ReadReport(buffer, 200ms), ReadOutcome::Failed);
    EXPECT_TRUE(transport.written.empty());
}

TEST_F(UsbInterfaceTest, OpeningReplacesTheOpenBoardAndFailureLeavesNoneOpen) {
    UsbDeviceInfo info;
    EXPECT_TRUE(usb.OpenDevice("good-1", info));
    EXPECT_EQ(info.devicePath, "good-1");
    EXPECT_TRUE(usb.IsOpen());
    EXPECT_FALSE(usb.OpenDevice("broken", info));
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(UsbInterfaceTest, TracesWritesWithTheirResultAndReportsRead) {
    std::vector<ReportTrace> traces;
    usb.SetTraceHook([&](const ReportTrace& t) { traces.push_back(t); });
    transport.open = true;
    usb.WriteReport(BuildStatusRequest());
    transport.writeResult = -1;
    usb.WriteReport(BuildBoardInfoRequest());
    transport.toRead[11] = 0x03;
    Report buffer{};
    usb.ReadReport(buffer, 200ms);
    transport.readOutcome = ReadOutcome::TimedOut;
    usb.ReadReport(buffer, 200ms);

    ASSERT_EQ(traces.size(), 3u);
    EXPECT_EQ(traces[0].direction, TraceDirection::ToBoard);
    EXPECT_TRUE(traces[0].ok);
    EXPECT_EQ(traces[0].payload, BuildStatusRequest());
    EXPECT_FALSE(traces[1].ok);
    EXPECT_EQ(traces[2].direction, TraceDirection::FromBoard);
    EXPECT_EQ(traces[2].payload[10], 0x03);
}

TEST_F(UsbInterfaceTest, NotificationsNeedInitialisation) {
    EXPECT_FALSE(usb.RegisterForDeviceNotifications());
    EXPECT_EQ(transport.watchCalls, 0);
    EXPECT_TRUE(usb.Initialize([](const DeviceEvent&) {}));
    EXPECT_TRUE(usb.RegisterForDeviceNotifications());
    EXPECT_EQ(transport.watchCalls, 1);
}

TEST_F(UsbInterfaceTest, UnregisteringStopsTheWatchOnceAndRegisteringStartsItAgain) {
    usb.Initialize([](const DeviceEvent&) {});
    usb.UnregisterDeviceNotifications();
    EXPECT_EQ(transport.stopWatchCalls, 0);  // nothing was watched
    usb.RegisterForDeviceNotifications();
    usb.UnregisterDeviceNotifications();
    usb.UnregisterDeviceNotifications();
    EXPECT_EQ(transport.stopWatchCalls, 1);
    EXPECT_TRUE(usb.RegisterForDeviceNotifications());
    EXPECT_EQ(transport.watchCalls, 2);
}

TEST_F(UsbInterfaceTest, InitialisingAgainClosesTheBoardAndDropsTheNotifications) {
    usb.Initialize([](const DeviceEvent&) {});
    usb.RegisterForDeviceNotifications();
    UsbDeviceInfo info;
    usb.OpenDevice("good", info);

    EXPECT_TRUE(usb.Initialize([](const DeviceEvent&) {}));
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_EQ(transport.stopWatchCalls, 1);
    EXPECT_TRUE(usb.IsInitialized());
}

struct PathCase {
    const char* path;
    bool board;
};

class BoardPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(BoardPathTest, RecognisesTheBoardByVendorAndProductMarkers) {
    EXPECT_EQ(UsbInterface::IsBoardDevicePath(GetParam().path), GetParam().board)
        << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BoardPathTest,
    ::testing::Values(PathCase{R"(\\?\HID#VID_3A61&PID_0B27#7&1a2b&0&0000#{guid})", true},
                      PathCase{R"(\\?\hid#vid_3a61&pid_0b27#7&1a2b&0&0000#{guid})", true},
                      PathCase{R"(\\?\hid#vid_3a61ffff&pid_0b27zz)", true},
                      PathCase{R"(\\?\hid#vid_3a61&xx_0b27)", false},
                      PathCase{R"(\\?\hid#vid_3a62&pid_0b27)", false},
                      PathCase{R"(\\?\hid#vid_3a61&pid_0b28)", false},
                      PathCase{R"(\\?\hid#pid_0b27&vid_3a61)", true},
                      PathCase{R"(\\?\hid#vid_3a6&pid_0b27)", false}, PathCase{"", false}));

TEST(DeviceChange, ArrivalAndRemovalOfABoardAreClassifiedWithTheirPath) {
    ScriptedTransport transport;
    const UsbInterface usb(transport);
    const std::string windowsPath = R"(\\?\hid#vid_3a61&pid_0b27#1)";
    std::string path;
    EXPECT_EQ(usb.ClassifyDeviceChange({DeviceChange::Arrival, windowsPath, std::nullopt}, path),
              BoardChange::Arrived);
    EXPECT_EQ(path, windowsPath);
    EXPECT_EQ(usb.ClassifyDeviceChange({DeviceChange::Removal, "/sys/devices/x/0003:3A61:0B27.0001",
                                        UsbIds{0x3A61, 0x0B27}},
                                       path),
              BoardChange::Removed);
    EXPECT_EQ(path, "/sys/devices/x/0003:3A61:0B27.0001");
}

TEST(DeviceChange, OtherDevicesAndOtherEventsAreNotBoardEvents) {
    ScriptedTransport transport;
    const UsbInterface usb(transport);
    std::string path = "unchanged";
    EXPECT_EQ(usb.ClassifyDeviceChange(
                  {DeviceChange::Arrival, R"(\\?\hid#vid_046d&pid_c31c)", std::nullopt}, path),
              BoardChange::None);
    // Ids, when known, decide over whatever the path says.
    EXPECT_EQ(
        usb.ClassifyDeviceChange(
            {DeviceChange::Removal, R"(\\?\hid#vid_3a61&pid_0b27)", UsbIds{0x046D, 0xC31C}}, path),
        BoardChange::None);
    EXPECT_EQ(usb.ClassifyDeviceChange(
                  {DeviceChange::Other, R"(\\?\hid#vid_3a61&pid_0b27)", std::nullopt}, path),
              BoardChange::None);
    EXPECT_EQ(path, "unchanged");
}

}  // namespace
