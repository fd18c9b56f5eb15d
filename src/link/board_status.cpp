// Status report decoding and the information area's values.
#include "board_status.h"

#include "board_protocol.h"

namespace {

std::uint16_t Word(const Payload& payload, std::size_t offset) {
    return static_cast<std::uint16_t>(payload[offset] << 8 | payload[offset + 1]);
}

void PutWord(Payload& payload, std::size_t offset, std::uint16_t value) {
    payload[offset] = static_cast<std::uint8_t>(value >> 8);
    payload[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

StatusValue Valid(std::uint16_t value) { return StatusValue{true, value}; }

}  // namespace

bool ModeNeedsReconnect(std::uint8_t mode) {
    return mode == kModeReconnectA || mode == kModeReconnectB;
}

std::optional<StatusReport> DecodeStatusReport(const Report& report) {
    const Payload payload = PayloadOf(report);
    if (Word(payload, status_offset::kBlockAddress) != kStatusAddress) return std::nullopt;
    StatusReport status;
    status.hardwareVersion = payload[status_offset::kHardwareVersion];
    status.firmwareVersion = payload[status_offset::kFirmwareVersion];
    status.mode = payload[status_offset::kMode];
    status.programState = payload[status_offset::kProgramState];
    status.light = Word(payload, status_offset::kLight);
    status.temperature = Word(payload, status_offset::kTemperature);
    status.sound = Word(payload, status_offset::kSound);
    status.switchState = payload[status_offset::kSwitch];
    return status;
}

Payload EncodeStatusReport(const StatusReport& status) {
    Payload payload = BuildReport(BoardCommand::ReadRequest, kStatusAddress, kBlockBytes);
    std::fill(payload.begin() + kDataOffset, payload.end(), 0x00);
    payload[status_offset::kHardwareVersion] = status.hardwareVersion;
    payload[status_offset::kFirmwareVersion] = status.firmwareVersion;
    payload[status_offset::kMode] = status.mode;
    payload[status_offset::kProgramState] = status.programState;
    PutWord(payload, status_offset::kLight, status.light);
    PutWord(payload, status_offset::kTemperature, status.temperature);
    PutWord(payload, status_offset::kSound, status.sound);
    payload[status_offset::kSwitch] = status.switchState;
    return payload;
}

void BoardStatus::Clear() { *this = BoardStatus{}; }

void BoardStatus::Store(const StatusReport& report) {
    hardwareVersion = Valid(report.hardwareVersion);
    firmwareVersion = Valid(report.firmwareVersion);
    programState = Valid(report.programState);
    light = Valid(report.light);
    temperature = Valid(report.temperature);
    sound = Valid(report.sound);
    switchState = Valid(report.switchState);
}
