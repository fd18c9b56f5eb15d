// Checking one report against the command table, and the pauses between reports.
#include "report_rules.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<std::uint8_t, 8> kLeadIn{0x4E, 0x56, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00};

std::string Hex(unsigned value, int digits = 4) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::uint16_t Word(const Payload& payload, std::size_t at) {
    return static_cast<std::uint16_t>(payload[at] << 8 | payload[at + 1]);
}

ReportCheck Control(const Payload& payload, const ReportHeader& header) {
    if (header.address != kControlRegister)
        return "control report to " + Hex(header.address) + ", not 0x0390";
    const std::uint8_t value = payload[kDataOffset];
    if (payload[kDataOffset + 1] != static_cast<std::uint8_t>(value ^ 0xFF))
        return "control byte 17 is not byte 16 " + Hex(value, 2) + " XOR 0xFF";
    switch (static_cast<ControlValue>(value)) {
        case ControlValue::Reset:
            return CheckedReport{ReportKind::Reset, header.address};
        case ControlValue::Run:
            return CheckedReport{ReportKind::Run, header.address};
        case ControlValue::Neutral:
            return CheckedReport{ReportKind::Neutral, header.address};
    }
    return "control value " + Hex(value, 2) + " is none of reset, run and neutral";
}

ReportCheck AreaHeader(const ReportHeader& header) {
    const bool program = header.address == ProgramAreaAddress(StorageArea::Save1) ||
                         header.address == ProgramAreaAddress(StorageArea::Save2);
    if (!program && header.address != kMelodyAreaAddress)
        return "area header for " + Hex(header.address) + ", which is no storage area";
    const std::uint16_t size = program ? kProgramAreaBytes : kMelodyAreaBytes;
    if (header.byteCount != size)
        return "area header for " + Hex(header.address) + " announces " +
               Hex(header.byteCount) + " bytes, not " + Hex(size);
    return CheckedReport{program ? ReportKind::ProgramHeader : ReportKind::MelodyHeader,
                         header.address};
}

ReportCheck Clock(const Payload& payload, const ReportHeader& header) {
    const auto data = payload.begin() + kDataOffset;
    if (data[0] != 0x00 || data[1] != 0xFF || data[2] != 0x01)
        return std::string("clock data does not start with 00 FF 01");
    // A field the sender's local time could not supply is 0xFF.
    const auto field = [](std::uint8_t value, int limit) {
        return value == TimeOfDay::kUnknown || value < limit;
    };
    if (!field(data[3], 24) || !field(data[4], 60) || !field(data[5], 60)) {
        char time[16];
        std::snprintf(time, sizeof time, "%02u:%02u:%02u", data[3], data[4], data[5]);
        return "clock time " + std::string(time) + " is no time of day";
    }
    return CheckedReport{ReportKind::Clock, header.address};
}

}  // namespace

ReportCheck CheckReport(const Report& report) {
    if (report[0] != 0x00) return "report id " + Hex(report[0], 2) + ", not 0x00";
    const Payload payload = PayloadOf(report);
    for (std::size_t i = 0; i < kLeadIn.size(); ++i) {
        if (payload[i] != kLeadIn[i])
            return "header byte " + std::to_string(i) + " is " + Hex(payload[i], 2) + ", not " +
                   Hex(kLeadIn[i], 2);
    }
    if (Word(payload, 14) != kBlockBytes)
        return "header bytes 14-15 are " + Hex(Word(payload, 14)) + ", not 0x0020";
    const ReportHeader header{Word(payload, 8), Word(payload, 10), Word(payload, 12)};
    const bool areaHeader = header.command == static_cast<std::uint16_t>(BoardCommand::AreaHeader);
    if (!areaHeader && header.byteCount != kBlockBytes)
        return "byte count " + Hex(header.byteCount) + ", not 0x0020";
    switch (static_cast<BoardCommand>(header.command)) {
        case BoardCommand::Control:
            return Control(payload, header);
        case BoardCommand::AreaHeader:
            return AreaHeader(header);
        case BoardCommand::BlockWrite:
            if (header.address == kControlRegister) return Clock(payload, header);
            return CheckedReport{ReportKind::Block, header.address};
        case BoardCommand::ReadRequest:
            if (header.address == kBoardInfoAddress)
                return CheckedReport{ReportKind::InfoRequest, header.address};
            if (header.address == kStatusAddress)
                return CheckedReport{ReportKind::StatusRequest, header.address};
            return "read request for " + Hex(header.address) + ", which the board cannot answer";
    }
    return "unknown command " + Hex(header.command);
}

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kCommandPause{100};  // after a single command report
constexpr milliseconds kBlockPause{10};     // after a block and after the clock report
constexpr milliseconds kReadPause{100};     // after a read that brought a report
constexpr milliseconds kInfoPause{200};     // from the handshake's neutral to the info request

std::string_view Name(ReportKind kind) {
    switch (kind) {
        case ReportKind::Reset:
            return "reset report";
        case ReportKind::Run:
            return "run report";
        case ReportKind::Neutral:
            return "neutral report";
        case ReportKind::InfoRequest:
            return "board information request";
        case ReportKind::StatusRequest:
            return "status request";
        case ReportKind::ProgramHeader:
            return "program header";
        case ReportKind::MelodyHeader:
            return "melody header";
        case ReportKind::Block:
            return "block";
        case ReportKind::Clock:
            return "clock report";
    }
    return "report";
}

long long Ms(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration_cast<milliseconds>(duration).count();
}

std::string TooEarly(std::string_view what, std::chrono::steady_clock::duration gap,
                     std::string_view after, milliseconds pause) {
    return std::string(what) + " " + std::to_string(Ms(gap)) + " ms after the " +
           std::string(after) + ", " + std::to_string(pause.count()) + " ms needed";
}

}  // namespace

std::string PaceChecker::Written(ReportKind kind, TimePoint at) {
    std::string early;
    if (kind == ReportKind::Neutral) {
        if (lastControl_ && at - *lastControl_ < kCommandPause)
            early = TooEarly(Name(kind), at - *lastControl_, "reset or run report", kCommandPause);
        lastNeutral_ = at;
        return early;
    }
    if (kind == ReportKind::InfoRequest && lastNeutral_ && at - *lastNeutral_ < kInfoPause)
        early = TooEarly(Name(kind), at - *lastNeutral_, "neutral report", kInfoPause);
    else if (last_ && at - last_->at < last_->pause)
        early = TooEarly(Name(kind), at - last_->at, last_->what, last_->pause);
    const bool block = kind == ReportKind::Block || kind == ReportKind::Clock;
    last_ = Paced{at, block ? kBlockPause : kCommandPause, Name(kind)};
    if (kind == ReportKind::Reset || kind == ReportKind::Run) lastControl_ = at;
    return early;
}

std::string PaceChecker::ReadBegun(TimePoint at) {
    if (last_ && at - last_->at < last_->pause)
        return TooEarly("read", at - last_->at, last_->what, last_->pause);
    return {};
}

void PaceChecker::Delivered(TimePoint at) { last_ = Paced{at, kReadPause, "report read"}; }
