// What a board can rely on in each report the editor writes: the report id, the header
// bytes of its command, its address and byte count, and the pause the editor leaves after it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "board_ids.h"
#include "board_protocol.h"

enum class ReportKind {
    Reset,
    Run,
    Neutral,
    InfoRequest,
    StatusRequest,
    ProgramHeader,
    MelodyHeader,
    Block,  // a block of a bulk transfer, at `address`
    Clock,
};

struct CheckedReport {
    ReportKind kind = ReportKind::Neutral;
    std::uint16_t address = 0;
};

// The report as the board understands it, or why the board ignores it.
using ReportCheck = std::variant<CheckedReport, std::string>;
ReportCheck CheckReport(const Report& report);

// The pauses the editor leaves: after a report before its next report or
// read, and after a read that brought a report. Reads count as the editor's
// actions too, since what follows a report is often only the next read.
// Neutral reports, which the user-interface thread writes on a page switch
// at any moment, are measured only against the reset or run before them,
// and the board information request against the neutral report before it.
class PaceChecker {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Each returns why the action came too early, or an empty string.
    std::string Written(ReportKind kind, TimePoint at);
    std::string ReadBegun(TimePoint at);
    // A read that brought a report at `at`.
    void Delivered(TimePoint at);

private:
    struct Paced {
        TimePoint at;
        std::chrono::milliseconds pause;
        std::string_view what;
    };

    std::optional<Paced> last_;  // the last report or read needing a pause after it
    std::optional<TimePoint> lastControl_;
    std::optional<TimePoint> lastNeutral_;
};
