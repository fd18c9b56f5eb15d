// Decoding the board's status report and keeping the information values.
#include "board_status.h"

#include <gtest/gtest.h>

#include "board_protocol.h"

namespace {

Report StatusBlock() {
    Payload payload{};
    payload[10] = 0x03;
    payload[11] = 0x70;
    return FrameReport(payload);
}

TEST(StatusReport, ReadsEveryFieldAtItsPayloadOffset) {
    Report report = StatusBlock();
    // Report offset = payload offset + 1.
    report[17] = 0x12;  // hardware version
    report[18] = 0x34;  // firmware version
    report[20] = 0xA0;  // mode
    report[22] = 0x10;  // program state
    report[33] = 0x01;  // light 0x01F4
    report[34] = 0xF4;
    report[35] = 0x00;  // temperature 25
    report[36] = 0x19;
    report[37] = 0xFF;  // sound 0xFFFE
    report[38] = 0xFE;
    report[39] = 0x02;  // switch

    const auto status = DecodeStatusReport(report);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->hardwareVersion, 0x12);
    EXPECT_EQ(status->firmwareVersion, 0x34);
    EXPECT_EQ(status->mode, 0xA0);
    EXPECT_EQ(status->programState, 0x10);
    EXPECT_EQ(status->light, 500);
    EXPECT_EQ(status->temperature, 25);
    EXPECT_EQ(status->sound, 0xFFFE);
    EXPECT_EQ(status->switchState, 2);
}

TEST(StatusReport, OnlyTheStatusBlockIsAStatusReport) {
    for (const auto& [high, low] :
         {std::pair{0xCC, 0x00}, std::pair{0x03, 0x71}, std::pair{0x70, 0x03}}) {
        Report report = StatusBlock();
        report[11] = static_cast<std::uint8_t>(high);
        report[12] = static_cast<std::uint8_t>(low);
        EXPECT_FALSE(DecodeStatusReport(report)) << high << " " << low;
    }
}

TEST(StatusReport, TheBoardSideEncodingDecodesToTheSameValues) {
    const StatusReport sent{0x21, 0x13, 0x81, 0x80, 1000, 65535, 7, 1};
    EXPECT_EQ(DecodeStatusReport(FrameReport(EncodeStatusReport(sent))), sent);
}

TEST(BoardStatus, StoreMarksEveryValueValidAndClearInvalidatesThemAll) {
    BoardStatus status;
    status.connected = true;
    status.Store(StatusReport{0x12, 0x34, 0xA0, 0x01, 500, 25, 3, 1});
    EXPECT_EQ(status.light, (StatusValue{true, 500}));
    EXPECT_EQ(status.programState, (StatusValue{true, 0x01}));
    EXPECT_EQ(status.hardwareVersion, (StatusValue{true, 0x12}));
    EXPECT_EQ(status.switchState, (StatusValue{true, 1}));

    status.Clear();
    EXPECT_EQ(status, BoardStatus{});
}

TEST(Mode, OnlyTheTwoReconnectModesAskForReconnection) {
    for (int mode = 0; mode < 256; ++mode) {
        EXPECT_EQ(ModeNeedsReconnect(static_cast<std::uint8_t>(mode)), mode == 0x81 || mode == 0xC0)
            << mode;
    }
}

}  // namespace
