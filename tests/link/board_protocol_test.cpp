// Payloads written to the board, byte for byte.
#include "board_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Parses "4E 56 ..." into bytes.
std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 3) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::vector<std::uint8_t> Bytes(const Payload& payload, std::size_t from, std::size_t count) {
    return {payload.begin() + from, payload.begin() + from + count};
}

// Every byte from `from` on is 0xFF.
bool RestIsFF(const Payload& payload, std::size_t from) {
    for (std::size_t i = from; i < payload.size(); ++i) {
        if (payload[i] != 0xFF) return false;
    }
    return true;
}

struct FixedReport {
    const char* name;
    Payload payload;
    const char* header;  // bytes 8-15
    const char* data;    // first data bytes; the rest stays 0xFF
};

class FixedReportTest : public ::testing::TestWithParam<FixedReport> {};

TEST_P(FixedReportTest, HasItsHeaderAndDataAndFFElsewhere) {
    const FixedReport& r = GetParam();
    EXPECT_EQ(Bytes(r.payload, 0, 8), Hex("4E 56 00 00 00 40 00 00"));
    EXPECT_EQ(Bytes(r.payload, 8, 8), Hex(r.header));
    const auto data = std::string(r.data).empty() ? std::vector<std::uint8_t>{} : Hex(r.data);
    EXPECT_EQ(Bytes(r.payload, 16, data.size()), data);
    EXPECT_TRUE(RestIsFF(r.payload, 16 + data.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Reports, FixedReportTest,
    ::testing::Values(
        FixedReport{"reset", BuildControlReport(ControlValue::Reset), "00 00 03 90 00 20 00 20",
                    "60 9F"},
        FixedReport{"run", BuildControlReport(ControlValue::Run), "00 00 03 90 00 20 00 20",
                    "41 BE"},
        FixedReport{"neutral", BuildControlReport(ControlValue::Neutral), "00 00 03 90 00 20 00 20",
                    "FF 00"},
        FixedReport{"info", BuildBoardInfoRequest(), "00 04 CC 00 00 20 00 20", ""},
        FixedReport{"status", BuildStatusRequest(), "00 04 03 70 00 20 00 20", ""},
        FixedReport{"save1", BuildProgramHeader(StorageArea::Save1), "00 01 C0 00 08 00 00 20", ""},
        FixedReport{"save2", BuildProgramHeader(StorageArea::Save2), "00 01 D0 00 08 00 00 20", ""},
        FixedReport{"melody", BuildMelodyHeader(), "00 01 C8 00 04 00 00 20", ""},
        FixedReport{"clock", BuildClockReport({9, 5, 59}), "00 02 03 90 00 20 00 20",
                    "00 FF 01 09 05 3B"},
        FixedReport{"clock_unknown", BuildClockReport({}), "00 02 03 90 00 20 00 20",
                    "00 FF 01 FF FF FF"}),
    [](const auto& info) { return std::string(info.param.name); });

NuvoProgramManager::Image EmptyImage() {
    NuvoProgramManager::Image image;
    for (auto& entry : image) entry.code.fill(0xFF);
    image[0].code[7] = 0xFE;
    return image;
}

TEST(ProgramBlock, EmptyProgramBlockZeroToSave1IsExact) {
    const Payload block = BuildProgramBlock(StorageArea::Save1, EmptyImage(), 0);
    EXPECT_EQ(Bytes(block, 0, 16), Hex("4E 56 00 00 00 40 00 00 00 02 C0 00 00 20 00 20"));
    EXPECT_EQ(Bytes(block, 16, 8), Hex("FF FF FF FF FF FF FF FE"));
    EXPECT_TRUE(RestIsFF(block, 24));
}

TEST(ProgramBlock, LastBlockIsAddressedAtTheAreaEndAndEndsWithEightZeros) {
    for (const auto& [area, address] : {std::pair{StorageArea::Save1, Hex("C7 E0")},
                                        std::pair{StorageArea::Save2, Hex("D7 E0")}}) {
        const Payload block = BuildProgramBlock(area, EmptyImage(), kProgramBlockCount - 1);
        EXPECT_EQ(Bytes(block, 10, 2), address);
        EXPECT_EQ(Bytes(block, 16, 24), std::vector<std::uint8_t>(24, 0xFF));  // entries 252-254
        EXPECT_EQ(Bytes(block, 40, 8), std::vector<std::uint8_t>(8, 0x00));    // no entry 255
    }
}

TEST(ProgramBlock, CarriesTheCodeBytesOfItsFourEntriesInOrder) {
    NuvoProgramManager::Image image = EmptyImage();
    for (int i = 0; i < 4; ++i) {
        image[20 + i].valid = 1;  // the valid word is never sent
        image[20 + i].code = {static_cast<std::uint8_t>(i), 1, 2, 3, 4, 5, 6, 7};
    }
    const Payload block = BuildProgramBlock(StorageArea::Save2, image, 5);
    EXPECT_EQ(Bytes(block, 10, 2), Hex("D0 A0"));
    for (int i = 0; i < 4; ++i) {
        const std::vector<std::uint8_t> expected{static_cast<std::uint8_t>(i), 1, 2, 3, 4, 5, 6, 7};
        EXPECT_EQ(Bytes(block, 16 + 8 * static_cast<std::size_t>(i), 8), expected) << i;
    }
}

TEST(MelodyBlock, CarriesThirtyTwoImageBytesAtItsAddress) {
    MelodyImage melody{};
    for (std::size_t i = 0; i < melody.size(); ++i) melody[i] = static_cast<std::uint8_t>(i * 7);
    for (const int n : {0, 1, 31}) {
        const Payload block = BuildMelodyBlock(melody, n);
        const auto address = static_cast<std::uint16_t>(0xC800 + 32 * n);
        EXPECT_EQ(Bytes(block, 8, 8),
                  (std::vector<std::uint8_t>{0x00, 0x02, static_cast<std::uint8_t>(address >> 8),
                                             static_cast<std::uint8_t>(address & 0xFF), 0x00, 0x20,
                                             0x00, 0x20}));
        EXPECT_EQ(Bytes(block, 16, 32),
                  std::vector<std::uint8_t>(melody.begin() + 32 * n, melody.begin() + 32 * n + 32));
        EXPECT_TRUE(RestIsFF(block, 48));
    }
}

TEST(ReportHeader, ReadsBackWhatWasBuiltAndRejectsForeignPayloads) {
    const auto header = ParseReportHeader(BuildProgramHeader(StorageArea::Save2));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->command, 0x0001);
    EXPECT_EQ(header->address, 0xD000);
    EXPECT_EQ(header->byteCount, 0x0800);

    Payload foreign{};
    EXPECT_FALSE(ParseReportHeader(foreign));
}

TEST(ReportFraming, PutsReportIdZeroBeforeThePayload) {
    const Payload payload = BuildStatusRequest();
    const Report report = FrameReport(payload);
    EXPECT_EQ(report[0], 0x00);
    EXPECT_EQ(report[1], 0x4E);
    EXPECT_EQ(report[kReportSize - 1], payload[kPayloadSize - 1]);
    EXPECT_EQ(PayloadOf(report), payload);
}

}  // namespace
