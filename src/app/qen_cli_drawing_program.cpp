// qen-cli's drawing commands run in a program of their own, qen-cli-draw,
// which links the editor's drawing code and Qt. qen-cli itself links neither,
// so every other command starts in a few milliseconds.
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "qen_cli.h"
#include "qen_cli_drawing_rows.h"

namespace {

constexpr std::string_view kProgramName = "qen-cli-draw";

// Beside qen-cli in a build folder; where the installation puts it otherwise.
std::optional<std::filesystem::path> DrawingProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    for (const std::filesystem::path& candidate :
         {self.parent_path() / kProgramName,
          (self.parent_path() / QEN_DRAWING_PROGRAM_FROM_BIN).lexically_normal()}) {
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

bool TakesValue(std::span<const CliOption> options, std::string_view name) {
    for (const CliOption& option : options)
        if (option.name == name) return !option.values.empty() || !option.anyValue.empty();
    return false;
}

// Replaces this process by the drawing program with the same command line;
// returns only when that cannot be done.
int RunDrawingProgram(std::string_view command, std::span<const CliOption> options,
                      const CliArguments& arguments, const CliContext& context) {
    const std::optional<std::filesystem::path> program = DrawingProgram();
    if (program) {
        std::vector<std::string> words{program->string(), std::string(command)};
        words.insert(words.end(), arguments.positional.begin(), arguments.positional.end());
        for (const auto& [name, value] : arguments.options) {
            words.push_back(name);
            if (TakesValue(options, name)) words.push_back(value);
        }
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        context.io.out.flush();
        context.io.err.flush();
        ::execv(argv.front(), argv.data());
    }
    context.io.err << "qen-cli: " << command << " needs the program " << kProgramName
                   << ", which cannot be started\n";
    return CliExit::Failed;
}

int ExportInDrawingProgram(const CliArguments& arguments, const CliContext& context) {
    return RunDrawingProgram("export", kExportOptions, arguments, context);
}

int PrintInDrawingProgram(const CliArguments& arguments, const CliContext& context) {
    return RunDrawingProgram("print", kPrintOptions, arguments, context);
}

constexpr auto kHandedOver = DrawingCommandRows(&ExportInDrawingProgram, &PrintInDrawingProgram);

}  // namespace

std::span<const CliCommand> DrawingCommands() { return kHandedOver; }
