// The board's status report and the values the information area shows from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "board_ids.h"

// Payload offsets of the status report's fields.
namespace status_offset {
inline constexpr std::size_t kBlockAddress = 10;
inline constexpr std::size_t kHardwareVersion = 16;
inline constexpr std::size_t kFirmwareVersion = 17;
inline constexpr std::size_t kMode = 19;
inline constexpr std::size_t kProgramState = 21;
inline constexpr std::size_t kLight = 32;
inline constexpr std::size_t kTemperature = 34;
inline constexpr std::size_t kSound = 36;
inline constexpr std::size_t kSwitch = 38;
}  // namespace status_offset

// Mode byte values.
inline constexpr std::uint8_t kModeProg = 0xA0;     // select switch at PROG
inline constexpr std::uint8_t kModeUnknown = 0xF0;  // no board seen since the last connection
inline constexpr std::uint8_t kModeReconnectA = 0x81;
inline constexpr std::uint8_t kModeReconnectB = 0xC0;

// Program-state byte values.
inline constexpr std::uint8_t kProgramRunning = 0x01;
inline constexpr std::uint8_t kProgramRunning2 = 0x03;
inline constexpr std::uint8_t kProgramEnded = 0x10;
inline constexpr std::uint8_t kProgramReset = 0x40;
inline constexpr std::uint8_t kProgramReset2 = 0x60;
inline constexpr std::uint8_t kProgramError = 0x80;

// The board must be plugged in again before it accepts a transfer.
bool ModeNeedsReconnect(std::uint8_t mode);

struct StatusReport {
    std::uint8_t hardwareVersion = 0;
    std::uint8_t firmwareVersion = 0;
    std::uint8_t mode = 0;
    std::uint8_t programState = 0;
    std::uint16_t light = 0;
    std::uint16_t temperature = 0;
    std::uint16_t sound = 0;
    std::uint8_t switchState = 0;
    bool operator==(const StatusReport&) const = default;
};

// nullopt unless the report is the status block (payload bytes 10-11 = 03 70).
std::optional<StatusReport> DecodeStatusReport(const Report& report);
// The board's side of the same layout; unused bytes are 0x00.
Payload EncodeStatusReport(const StatusReport& status);

struct StatusValue {
    bool valid = false;
    std::uint16_t value = 0;
    bool operator==(const StatusValue&) const = default;
};

struct BoardStatus {
    bool connected = false;
    StatusValue programState;
    StatusValue light;
    StatusValue temperature;
    StatusValue sound;
    StatusValue switchState;
    StatusValue hardwareVersion;
    StatusValue firmwareVersion;

    // Disconnected, every value invalid.
    void Clear();
    // Takes every value of report and marks it valid.
    void Store(const StatusReport& report);
    bool operator==(const BoardStatus&) const = default;
};
