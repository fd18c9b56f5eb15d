// qen-cli's command line: the command table, option parsing, help and usage.
#include "qen_cli.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::span<const CliOption> kNoOptions{};
constexpr std::array<CliOption, 2> kBoardOptions = {{{"--simulated", ""}, {"--trace", ""}}};
constexpr std::array<CliOption, 3> kSendOptions = {
    {{"--area", "1|2"}, {"--simulated", ""}, {"--trace", ""}}};
constexpr std::array<CliOption, 6> kSimulateOptions = {{{"--seconds", "", "S"},
                                                        {"--light", "", "N"},
                                                        {"--temperature", "", "N"},
                                                        {"--sound", "", "N"},
                                                        {"--switch", "on|off"},
                                                        {"--clock", "", "HH:MM"}}};

// Every subcommand of the tool; a new one is one more row here.
constexpr std::array<CliCommand, 12> kCommands = {{
    {"image", "FILE.xml", "print the program image built from FILE, one entry per line", 1,
     kNoOptions, &CliImage},
    {"save", "IN.xml OUT.xml", "load IN and write it to OUT as the editor saves it", 2, kNoOptions,
     &CliSave},
    {"check", "FILE.xml...",
     "check the charts of each FILE for what would stop or spin the program", kCliOneOrMore,
     kNoOptions, &CliCheck},
    {"send", "FILE.xml",
     "send FILE's program to storage area 1 (保存１, the default) or 2 (保存２)", 1, kSendOptions,
     &CliSend},
    {"run", "", "start the program on the board", 0, kBoardOptions, &CliRun},
    {"reset", "", "stop and reset the program on the board", 0, kBoardOptions, &CliReset},
    {"clock", "", "set the board's clock from this computer's clock", 0, kBoardOptions, &CliClock},
    {"status", "", "print the board's status once", 0, kBoardOptions, &CliStatus},
    {"simulate", "FILE.xml",
     "run FILE's program on the virtual board for S simulated seconds (60, at most 86400)\n"
     "      with constant inputs (500 lx, 20 °C, sound 0, switch off, clock 00:00); print each\n"
     "      output change and the end as \"T NAME VALUE\", T in simulated milliseconds",
     1, kSimulateOptions, &CliSimulate},
    {"melody", "FILE.mel",
     "print the melody image a transfer of FILE sends, one 32-byte block per line", 1, kNoOptions,
     &CliMelody},
    {"send-melody", "FILE.mel", "send FILE's melody to the board as the melody editor does", 1,
     kBoardOptions, &CliSendMelody},
    {"midi", "IN.mel OUT.mid", "write IN's melody to OUT as a standard MIDI file", 2, kNoOptions,
     &CliMidi},
}};

constexpr std::string_view kUsage = "usage: qen-cli <command> [arguments] | --help | --version";

constexpr std::string_view kBoardHelp =
    "\nThe board commands open the first board found and run the handshake first.\n"
    "  --simulated  use the built-in simulated board instead of USB\n"
    "  --trace      print every report: \"> \" written to the board, \"< \" read from it,\n"
    "               then the 64 payload bytes in hexadecimal\n";

std::string Synopsis(const CliCommand& command) {
    std::string text(command.name);
    if (!command.arguments.empty()) text.append(" ").append(command.arguments);
    for (const CliOption& option : command.options) {
        text.append(option.required ? " " : " [").append(option.name);
        if (!option.values.empty()) text.append(" ").append(option.values);
        if (!option.anyValue.empty()) text.append(" ").append(option.anyValue);
        if (!option.required) text.append("]");
    }
    return text;
}

void PrintHelp(std::ostream& out, std::span<const CliCommand> drawing) {
    out << kUsage << "\n\ncommands:\n";
    for (const auto commands : {std::span<const CliCommand>(kCommands), drawing})
        for (const CliCommand& command : commands)
            out << "  " << Synopsis(command) << "\n      " << command.summary << '\n';
    out << kBoardHelp;
    out << "\nExit status: 0 success, 1 failure (messages on standard error), 2 bad usage,\n"
           "3 findings of check.\n";
}

int UsageError(std::ostream& err) {
    err << kUsage << '\n';
    return CliExit::Usage;
}

int UsageError(std::ostream& err, const CliCommand& command) {
    err << "usage: qen-cli " << Synopsis(command) << '\n';
    return CliExit::Usage;
}

bool Accepts(std::string_view values, std::string_view value) {
    while (true) {
        const auto bar = values.find('|');
        if (values.substr(0, bar) == value) return true;
        if (bar == std::string_view::npos) return false;
        values.remove_prefix(bar + 1);
    }
}

// nullopt when the words do not fit the command's row.
std::optional<CliArguments> Parse(const CliCommand& command, std::span<const std::string> words) {
    CliArguments parsed;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!word.starts_with("--")) {
            parsed.positional.push_back(word);
            continue;
        }
        const auto option = std::find_if(command.options.begin(), command.options.end(),
                                         [&](const CliOption& o) { return o.name == word; });
        if (option == command.options.end() || parsed.Has(word)) return std::nullopt;
        std::string value;
        if (!option->values.empty() || !option->anyValue.empty()) {
            if (++i == words.size()) return std::nullopt;
            if (!option->values.empty() && !Accepts(option->values, words[i])) return std::nullopt;
            value = words[i];
        }
        parsed.options.emplace_back(word, std::move(value));
    }
    for (const CliOption& option : command.options)
        if (option.required && !parsed.Has(option.name)) return std::nullopt;
    const std::size_t count = parsed.positional.size();
    if (command.argumentCount == kCliOneOrMore ? count == 0 : count != command.argumentCount)
        return std::nullopt;
    return parsed;
}

}  // namespace

int CliUsageError(std::ostream& err, std::string_view name) {
    for (const CliCommand& command : kCommands)
        if (command.name == name) return UsageError(err, command);
    return UsageError(err);
}

bool CliArguments::Has(std::string_view option) const {
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& given) { return given.first == option; });
}

std::string_view CliArguments::Value(std::string_view option) const {
    for (const auto& [name, value] : options)
        if (name == option) return value;
    return {};
}

int RunCli(std::span<const std::string> arguments, CliIo io, const CliBoardAccess& board,
           std::span<const CliCommand> drawing) {
    if (arguments.empty()) return UsageError(io.err);
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        if (arguments.size() != 1) return UsageError(io.err);
        PrintHelp(io.out, drawing);
        return CliExit::Ok;
    }
    if (first == "--version") {
        if (arguments.size() != 1) return UsageError(io.err);
        io.out << "qen-cli " << QEN_VERSION << '\n';
        return CliExit::Ok;
    }
    for (const auto commands : {std::span<const CliCommand>(kCommands), drawing}) {
        for (const CliCommand& command : commands) {
            if (command.name != first) continue;
            const auto parsed = Parse(command, arguments.subspan(1));
            if (!parsed) return UsageError(io.err, command);
            return command.run(*parsed, CliContext{io, board});
        }
    }
    return UsageError(io.err);
}
