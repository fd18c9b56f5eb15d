// qen-cli: the command-line tool over the editor's core, for scripts, for
// checking program images without the editor window and for talking to the board.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IHidTransport;
class ILinkClock;

struct CliIo {
    std::ostream& out;
    std::ostream& err;
};

// Exit codes of the tool.
namespace CliExit {
inline constexpr int Ok = 0;
inline constexpr int Failed = 1;
inline constexpr int Usage = 2;
inline constexpr int Findings = 3;  // check: the charts have findings
}  // namespace CliExit

// How the board commands reach a board.
struct CliBoardAccess {
    // The USB transport, used unless --simulated is given; without it no
    // board is found. What it returns must outlive the command.
    std::function<IHidTransport&()> usb;
    // Paces the board link and the simulated board; the machine's clock when null.
    ILinkClock* clock = nullptr;
    // How long a board command waits for the handshake and its request together.
    std::chrono::milliseconds timeout{10000};
};

// An option a command accepts: a flag, or a name followed by one of its
// values or by any one value.
struct CliOption {
    std::string_view name;           // e.g. "--area"
    std::string_view values;         // the accepted values separated by '|'; empty for a flag
    std::string_view anyValue = {};  // instead of values: what the value stands for, e.g. "OUT.pdf"
    bool required = false;
};

// What follows the command name, checked against the command's table row.
struct CliArguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name, value ("" for a flag)

    bool Has(std::string_view option) const;
    // The option's value; empty when it was not given.
    std::string_view Value(std::string_view option) const;
};

// What a command gets from the process around it.
struct CliContext {
    CliIo io;
    const CliBoardAccess& board;
};

// What runs a subcommand; the exit code.
using CliHandler = int (*)(const CliArguments& arguments, const CliContext& context);

// The argument count of a command that takes a list of one or more files.
inline constexpr std::size_t kCliOneOrMore = static_cast<std::size_t>(-1);

// One subcommand: its name, the positional arguments it takes (exactly that
// many, or kCliOneOrMore), the options it accepts and the function that runs it.
struct CliCommand {
    std::string_view name;
    std::string_view arguments;  // as shown in the help, e.g. "FILE.xml"
    std::string_view summary;
    std::size_t argumentCount;
    std::span<const CliOption> options;
    CliHandler run;
};

// The subcommands working on flowchart files.
int CliImage(const CliArguments& arguments, const CliContext& context);
int CliSave(const CliArguments& arguments, const CliContext& context);
// Checks the charts of each file; prints "FILE: chart N, slot S: text" per finding.
int CliCheck(const CliArguments& arguments, const CliContext& context);

// The subcommands working on melody files; send-melody talks to the board as
// the board commands below do.
int CliMelody(const CliArguments& arguments, const CliContext& context);
int CliSendMelody(const CliArguments& arguments, const CliContext& context);
int CliMidi(const CliArguments& arguments, const CliContext& context);

// The subcommands working on the board: each opens the first board, runs the
// handshake and makes one request as the editor does.
int CliSend(const CliArguments& arguments, const CliContext& context);
int CliRun(const CliArguments& arguments, const CliContext& context);
int CliReset(const CliArguments& arguments, const CliContext& context);
int CliClock(const CliArguments& arguments, const CliContext& context);
int CliStatus(const CliArguments& arguments, const CliContext& context);

// The commands that draw charts (export, print): they need the editor's
// drawing code, so a build without the user interface has none. qen-cli
// hands them to the program qen-cli-draw, which runs them itself.
std::span<const CliCommand> DrawingCommands();

// Runs FILE's program on the virtual board's engine and prints its output changes.
int CliSimulate(const CliArguments& arguments, const CliContext& context);

// Prints the named command's usage; the exit code for bad usage.
int CliUsageError(std::ostream& err, std::string_view command);

// Runs the tool on its arguments (without the program name); the exit code.
// The drawing commands are offered beside the tool's own.
int RunCli(std::span<const std::string> arguments, CliIo io, const CliBoardAccess& board = {},
           std::span<const CliCommand> drawing = {});
