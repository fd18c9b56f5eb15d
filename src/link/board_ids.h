// The board's USB identity and report framing; the udev rule is generated from these lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::uint16_t kBoardVendorId = 0x3A61;
inline constexpr std::uint16_t kBoardProductId = 0x0B27;

// Every report is a report-id byte 0x00 followed by a 64-byte payload.
inline constexpr std::size_t kPayloadSize = 64;
inline constexpr std::size_t kReportSize = kPayloadSize + 1;

using Payload = std::array<std::uint8_t, kPayloadSize>;
using Report = std::array<std::uint8_t, kReportSize>;
