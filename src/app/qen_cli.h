// qen-cli: the command-line tool over the editor's core, for scripts and for
// checking program images without the editor window.
#pragma once

#include <cstddef>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

struct CliIo {
    std::ostream& out;
    std::ostream& err;
};

// Exit codes of the tool.
namespace CliExit {
inline constexpr int Ok = 0;
inline constexpr int Failed = 1;
inline constexpr int Usage = 2;
}  // namespace CliExit

// One subcommand: its name, the arguments it takes (exactly that many) and
// the function that runs it.
struct CliCommand {
    std::string_view name;
    std::string_view arguments;  // as shown in the help, e.g. "FILE.xml"
    std::string_view summary;
    std::size_t argumentCount;
    int (*run)(std::span<const std::string> arguments, CliIo io);
};

// The subcommands working on flowchart files.
int CliImage(std::span<const std::string> arguments, CliIo io);
int CliSave(std::span<const std::string> arguments, CliIo io);

// Runs the tool on its arguments (without the program name); the exit code.
int RunCli(std::span<const std::string> arguments, CliIo io);
