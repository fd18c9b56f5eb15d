#include "qen_cli.h"

#include <array>

namespace {

// Every subcommand of the tool; a new one is one more row here.
constexpr std::array<CliCommand, 2> kCommands = {{
    {"image", "FILE.xml", "print the program image built from FILE, one entry per line", 1,
     &CliImage},
    {"save", "IN.xml OUT.xml", "load IN and write it to OUT as the editor saves it", 2, &CliSave},
}};

constexpr std::string_view kUsage = "usage: qen-cli <command> [arguments] | --help | --version";

void PrintHelp(std::ostream& out) {
    out << kUsage << "\n\ncommands:\n";
    for (const CliCommand& command : kCommands)
        out << "  " << command.name << ' ' << command.arguments << "\n      " << command.summary
            << '\n';
    out << "\nExit status: 0 success, 1 failure (messages on standard error), 2 bad usage.\n";
}

int UsageError(std::ostream& err) {
    err << kUsage << '\n';
    return CliExit::Usage;
}

}  // namespace

int RunCli(std::span<const std::string> arguments, CliIo io) {
    if (arguments.empty()) return UsageError(io.err);
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        if (arguments.size() != 1) return UsageError(io.err);
        PrintHelp(io.out);
        return CliExit::Ok;
    }
    if (first == "--version") {
        if (arguments.size() != 1) return UsageError(io.err);
        io.out << "qen-cli " << QEN_VERSION << '\n';
        return CliExit::Ok;
    }
    for (const CliCommand& command : kCommands) {
        if (command.name != first) continue;
        const std::span<const std::string> rest = arguments.subspan(1);
        if (rest.size() != command.argumentCount) return UsageError(io.err);
        return command.run(rest, io);
    }
    return UsageError(io.err);
}
