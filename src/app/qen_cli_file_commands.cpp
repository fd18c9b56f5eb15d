// The file subcommands: they load and save exactly as the editor's open and
// save commands do, through the same document code.
#include <cstdio>
#include <string>

#include "program_image.h"
#include "qen_cli.h"
#include "qen_cli_document.h"

namespace {

void PrintImage(const NuvoProgramManager& image, std::ostream& out) {
    char line[40];
    for (int i = 0; i < NuvoProgramManager::kEntryCount; ++i) {
        const auto& code = image.Entries()[static_cast<std::size_t>(i)].code;
        std::snprintf(line, sizeof line, "%03d: %02X %02X %02X %02X %02X %02X %02X %02X\n", i,
                      code[0], code[1], code[2], code[3], code[4], code[5], code[6], code[7]);
        out << line;
    }
}

}  // namespace

int CliImage(const CliArguments& arguments, const CliContext& context) {
    const CliIo io = context.io;
    CliDocument document;
    if (!document.Open(arguments.positional[0])) return document.Fail(io);
    NuvoProgramManager image;
    image.BuildImage(document.store);
    PrintImage(image, io.out);
    return CliExit::Ok;
}

int CliSave(const CliArguments& arguments, const CliContext& context) {
    const CliIo io = context.io;
    CliDocument document;
    if (!document.Open(arguments.positional[0])) return document.Fail(io);
    document.messages.Clear();  // a failed write reports only its own messages
    if (document.commands.SaveTo(arguments.positional[1], document.report) != SaveResult::Saved)
        return document.Fail(io);
    return CliExit::Ok;
}
