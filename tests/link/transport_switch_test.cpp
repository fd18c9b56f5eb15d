// The transport switch: calls and plug events go to the transport in use, and switching
// closes what the other one had open.
#include "transport_switch.h"

#include <gtest/gtest.h>

#include "link_test_support.h"
#include "simulated_board.h"

namespace {

using namespace link_test;

class TransportSwitchTest : public ::testing::Test {
protected:
    bool OpenThroughSwitch() {
        UsbDeviceInfo info;
        return transport.Open(std::string(SimulatedBoard::kDevicePath), info);
    }
    void WriteThroughSwitch() {
        clock.SleepFor(100ms);
        transport.Write(FrameReport(BuildStatusRequest()));
    }

    ManualClock clock;
    SimulatedBoard real{clock};  // standing in for the platform's HID stack
    SimulatedBoard simulated{clock};
    TransportSwitch transport{real, simulated};
};

TEST_F(TransportSwitchTest, CallsGoToTheTransportInUse) {
    EXPECT_FALSE(transport.UsingSimulated());
    ASSERT_TRUE(OpenThroughSwitch());
    WriteThroughSwitch();
    EXPECT_TRUE(real.Streaming());
    EXPECT_FALSE(simulated.Streaming());

    transport.UseSimulated(true);
    EXPECT_TRUE(transport.UsingSimulated());
    EXPECT_FALSE(real.IsOpen());  // closed on the way
    EXPECT_FALSE(transport.IsOpen());
    real.Unplug();
    ASSERT_TRUE(transport.Enumerate());
    EXPECT_EQ(transport.Enumerate()->size(), 1u);
    ASSERT_TRUE(OpenThroughSwitch());
    WriteThroughSwitch();
    EXPECT_TRUE(simulated.Streaming());

    transport.UseSimulated(false);
    EXPECT_FALSE(simulated.IsOpen());
    EXPECT_TRUE(transport.Enumerate()->empty());  // the real board is still out
}

TEST_F(TransportSwitchTest, PlugEventsComeOnlyFromTheTransportInUse) {
    std::vector<DeviceChange> events;
    ASSERT_TRUE(transport.WatchDevices([&](const DeviceEvent& e) { events.push_back(e.change); }));
    real.Unplug();
    simulated.Unplug();
    transport.UseSimulated(true);
    real.Plug();
    simulated.Plug();
    EXPECT_EQ(events, (std::vector<DeviceChange>{DeviceChange::Removal, DeviceChange::Arrival}));

    transport.StopWatching();
    simulated.Unplug();
    EXPECT_EQ(events.size(), 2u);
}

}  // namespace
