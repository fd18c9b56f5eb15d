// qen-cli simulate: sends FILE's program to the simulated board exactly as a transfer does,
// then runs what the board received on the virtual board's engine and prints every output
// change and the end, each as "T NAME VALUE" with T in simulated milliseconds.
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board_worker.h"
#include "engine_text.h"
#include "qen_cli.h"
#include "qen_cli_document.h"
#include "quiet_link_host.h"
#include "simulated_board.h"

namespace {

constexpr SimTime kDefaultSeconds = 60;
constexpr SimTime kMostSeconds = 24 * 60 * 60;

std::optional<long long> Integer(std::string_view text, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// Seconds with up to three decimals, as milliseconds.
std::optional<SimTime> Milliseconds(std::string_view text) {
    const auto point = text.find('.');
    const auto whole = Integer(text.substr(0, point), 0, kMostSeconds);
    if (!whole) return std::nullopt;
    SimTime ms = *whole * 1000;
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        const auto digits = Integer(fraction, 0, 999);
        if (fraction.empty() || fraction.size() > 3 || !digits) return std::nullopt;
        ms += *digits * (fraction.size() == 1 ? 100 : fraction.size() == 2 ? 10 : 1);
    }
    if (ms > kMostSeconds * 1000) return std::nullopt;
    return ms;
}

// "HH:MM" as milliseconds since midnight.
std::optional<SimTime> ClockTime(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') return std::nullopt;
    const auto hour = Integer(text.substr(0, 2), 0, 23);
    const auto minute = Integer(text.substr(3, 2), 0, 59);
    if (!hour || !minute) return std::nullopt;
    return (*hour * 60 + *minute) * 60 * 1000;
}

struct SimulateOptions {
    SimTime limit = kDefaultSeconds * 1000;
    EngineInputs inputs;
    SimTime timeOfDay = 0;
};

// nullopt when a value is not what its option takes.
std::optional<SimulateOptions> ReadOptions(const CliArguments& arguments) {
    SimulateOptions options;
    bool ok = true;
    const auto take = [&](std::string_view name, auto read, auto store) {
        if (!arguments.Has(name)) return;
        const auto value = read(arguments.Value(name));
        if (value) store(*value);
        ok = ok && value.has_value();
    };
    const auto within = [](long long low, long long high) {
        return [=](std::string_view text) { return Integer(text, low, high); };
    };
    take("--seconds", Milliseconds, [&](SimTime ms) { options.limit = ms; });
    take("--light", within(0, 0xFFFF), [&](long long v) { options.inputs.light = static_cast<int>(v); });
    take("--temperature", within(-0x8000, 0x7FFF),
         [&](long long v) { options.inputs.temperature = static_cast<int>(v); });
    take("--sound", within(0, 0xFFFF), [&](long long v) { options.inputs.sound = static_cast<int>(v); });
    options.inputs.switchOn = arguments.Value("--switch") == "on";
    take("--clock", ClockTime, [&](SimTime ms) { options.timeOfDay = ms; });
    if (!ok) return std::nullopt;
    return options;
}

// The header and the 64 blocks through the editor's own transfer step, at its
// pace on a clock that does not wait; what the board stored, entry by entry.
std::optional<std::vector<std::uint8_t>> Transfer(const IProgramSource& program,
                                                  std::string& refusal) {
    ManualLinkClock clock;
    SimulatedBoard board(clock);
    UsbInterface usb(board);
    QuietLinkHost host;
    BoardWorker worker(usb, clock, host, program);
    UsbDeviceInfo info;
    usb.OpenDevice(std::string(SimulatedBoard::kDevicePath), info);
    worker.Begin();
    while (worker.State() != BoardStep::Polling && worker.State() != BoardStep::Stopped)
        worker.Step();
    worker.Place(BoardStep::SendProgram);
    worker.Step();
    if (const auto complaints = board.Complaints(); !complaints.empty()) {
        refusal = complaints.front();
        return std::nullopt;
    }
    std::vector<std::uint8_t> area;
    for (const auto& entry : board.StoredProgram(StorageArea::Save1))
        area.insert(area.end(), entry.begin(), entry.end());
    return area;
}

}  // namespace

int CliSimulate(const CliArguments& arguments, const CliContext& context) {
    const auto options = ReadOptions(arguments);
    if (!options) return CliUsageError(context.io.err, "simulate");
    CliDocument document;
    if (!document.Open(arguments.positional[0])) return document.Fail(context.io);

    std::string refusal;
    const auto area = Transfer(document.store, refusal);
    if (!area) {
        context.io.err << "qen-cli: the simulated board refused the transfer: " << refusal << '\n';
        return CliExit::Failed;
    }
    const Timeline timeline = RunTimeline(EngineProgram::FromArea(*area), options->inputs,
                                          options->timeOfDay, options->limit);
    for (const std::string& line : timeline.lines) context.io.out << line << '\n';
    return timeline.state == RunState::Error ? CliExit::Failed : CliExit::Ok;
}
