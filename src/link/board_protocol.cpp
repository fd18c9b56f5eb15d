// Payload builders for every report the editor writes.
#include "board_protocol.h"

#include <algorithm>

namespace {

constexpr std::array<std::uint8_t, 8> kLeadIn{0x4E, 0x56, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00};

void PutWord(Payload& payload, std::size_t offset, std::uint16_t value) {
    payload[offset] = static_cast<std::uint8_t>(value >> 8);
    payload[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::uint16_t GetWord(const Payload& payload, std::size_t offset) {
    return static_cast<std::uint16_t>(payload[offset] << 8 | payload[offset + 1]);
}

}  // namespace

Payload PayloadOf(const Report& report) {
    Payload payload{};
    std::copy(report.begin() + 1, report.end(), payload.begin());
    return payload;
}

Report FrameReport(const Payload& payload) {
    Report report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    return report;
}

std::uint16_t ProgramAreaAddress(StorageArea area) {
    return area == StorageArea::Save2 ? 0xD000 : 0xC000;
}

Payload BuildReport(BoardCommand command, std::uint16_t address, std::uint16_t byteCount) {
    Payload payload;
    payload.fill(0xFF);
    std::copy(kLeadIn.begin(), kLeadIn.end(), payload.begin());
    PutWord(payload, 8, static_cast<std::uint16_t>(command));
    PutWord(payload, 10, address);
    PutWord(payload, 12, byteCount);
    PutWord(payload, 14, kBlockBytes);
    return payload;
}

std::optional<ReportHeader> ParseReportHeader(const Payload& payload) {
    if (payload[0] != kLeadIn[0] || payload[1] != kLeadIn[1]) return std::nullopt;
    return ReportHeader{GetWord(payload, 8), GetWord(payload, 10), GetWord(payload, 12)};
}

Payload BuildControlReport(ControlValue value) {
    Payload payload = BuildReport(BoardCommand::Control, kControlRegister, kBlockBytes);
    const auto v = static_cast<std::uint8_t>(value);
    payload[kDataOffset] = v;
    payload[kDataOffset + 1] = static_cast<std::uint8_t>(v ^ 0xFF);
    return payload;
}

Payload BuildBoardInfoRequest() {
    return BuildReport(BoardCommand::ReadRequest, kBoardInfoAddress, kBlockBytes);
}

Payload BuildStatusRequest() {
    return BuildReport(BoardCommand::ReadRequest, kStatusAddress, kBlockBytes);
}

Payload BuildProgramHeader(StorageArea area) {
    return BuildReport(BoardCommand::AreaHeader, ProgramAreaAddress(area), kProgramAreaBytes);
}

Payload BuildProgramBlock(StorageArea area, const NuvoProgramManager::Image& image, int block) {
    const auto address = static_cast<std::uint16_t>(ProgramAreaAddress(area) + kBlockBytes * block);
    Payload payload = BuildReport(BoardCommand::BlockWrite, address, kBlockBytes);
    for (int i = 0; i < kEntriesPerBlock; ++i) {
        const auto entry = static_cast<std::size_t>(block * kEntriesPerBlock + i);
        const auto out =
            payload.begin() + static_cast<std::ptrdiff_t>(kDataOffset + i * kEntryBytes);
        if (entry < image.size()) {
            std::copy(image[entry].code.begin(), image[entry].code.end(), out);
        } else {
            std::fill(out, out + kEntryBytes, 0x00);  // the image has no entry 255
        }
    }
    return payload;
}

Payload BuildMelodyHeader() {
    return BuildReport(BoardCommand::AreaHeader, kMelodyAreaAddress, kMelodyAreaBytes);
}

Payload BuildMelodyBlock(const MelodyImage& melody, int block) {
    const auto address = static_cast<std::uint16_t>(kMelodyAreaAddress + kBlockBytes * block);
    Payload payload = BuildReport(BoardCommand::BlockWrite, address, kBlockBytes);
    const auto from = melody.begin() + static_cast<std::ptrdiff_t>(kBlockBytes * block);
    std::copy(from, from + kBlockBytes, payload.begin() + kDataOffset);
    return payload;
}

Payload BuildClockReport(const TimeOfDay& time) {
    Payload payload = BuildReport(BoardCommand::BlockWrite, kControlRegister, kBlockBytes);
    const std::array<std::uint8_t, 6> data{0x00, 0xFF, 0x01, time.hour, time.minute, time.second};
    std::copy(data.begin(), data.end(), payload.begin() + kDataOffset);
    return payload;
}
