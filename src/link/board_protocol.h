// The payloads the editor writes to the board, built byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "board_ids.h"
#include "program_image.h"

// Payload offset n is report offset n + 1.
Payload PayloadOf(const Report& report);
Report FrameReport(const Payload& payload);

enum class BoardCommand : std::uint16_t {
    Control = 0x0000,
    AreaHeader = 0x0001,
    BlockWrite = 0x0002,
    ReadRequest = 0x0004,
};

enum class ControlValue : std::uint8_t { Reset = 0x60, Run = 0x41, Neutral = 0xFF };

// The two program storage areas offered in the tool bar: 保存１ and 保存２.
enum class StorageArea { Save1, Save2 };

inline constexpr std::uint16_t kControlRegister = 0x0390;
inline constexpr std::uint16_t kBoardInfoAddress = 0xCC00;
inline constexpr std::uint16_t kStatusAddress = 0x0370;
inline constexpr std::uint16_t kMelodyAreaAddress = 0xC800;
inline constexpr std::uint16_t kProgramAreaBytes = 0x0800;
inline constexpr std::uint16_t kMelodyAreaBytes = 0x0400;
inline constexpr std::uint16_t kBlockBytes = 0x0020;
inline constexpr int kProgramBlockCount = kProgramAreaBytes / kBlockBytes;  // 64
inline constexpr int kMelodyBlockCount = kMelodyAreaBytes / kBlockBytes;    // 32
inline constexpr int kEntryBytes = 8;
inline constexpr int kEntriesPerBlock = kBlockBytes / kEntryBytes;
inline constexpr std::size_t kDataOffset = 16;

using MelodyImage = std::array<std::uint8_t, kMelodyAreaBytes>;

std::uint16_t ProgramAreaAddress(StorageArea area);

// Local time of day for the clock report; a field that is not known stays 0xFF.
struct TimeOfDay {
    static constexpr std::uint8_t kUnknown = 0xFF;
    std::uint8_t hour = kUnknown;
    std::uint8_t minute = kUnknown;
    std::uint8_t second = kUnknown;
    bool operator==(const TimeOfDay&) const = default;
};

Payload BuildControlReport(ControlValue value);
Payload BuildBoardInfoRequest();
Payload BuildStatusRequest();
Payload BuildProgramHeader(StorageArea area);
// Block n (0-63) carries the code bytes of entries 4n..4n+3; the slot after entry 254 is zeros.
Payload BuildProgramBlock(StorageArea area, const NuvoProgramManager::Image& image, int block);
Payload BuildMelodyHeader();
// Block n (0-31) carries melody image bytes 32n..32n+31.
Payload BuildMelodyBlock(const MelodyImage& melody, int block);
Payload BuildClockReport(const TimeOfDay& time);

// The fixed header fields of a payload, for the board's side and for traces.
struct ReportHeader {
    std::uint16_t command = 0;
    std::uint16_t address = 0;
    std::uint16_t byteCount = 0;
};

// nullopt when the payload does not start with the magic bytes N V.
std::optional<ReportHeader> ParseReportHeader(const Payload& payload);
// Builds a payload: 0xFF everywhere, then the header.
Payload BuildReport(BoardCommand command, std::uint16_t address, std::uint16_t byteCount);
