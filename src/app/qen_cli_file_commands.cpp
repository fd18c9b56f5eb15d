// The file subcommands: they load and save exactly as the editor's open and
// save commands do, through the same document code.
#include <cstdio>
#include <string>
#include <vector>

#include "document_commands.h"
#include "editor_state.h"
#include "nuvo_addr_generator.h"
#include "program_image.h"
#include "qen_cli.h"
#include "uid_generator.h"

namespace {

// Message boxes and message-area lines, kept to explain a failure.
class CollectedMessages : public INotifier, public IMessageArea {
public:
    void ShowMessage(std::string_view text) override { lines_.emplace_back(text); }
    void AddMessage(std::string_view line) override { lines_.emplace_back(line); }
    void Clear() { lines_.clear(); }
    void PrintTo(std::ostream& err) const {
        for (const std::string& line : lines_) err << line << '\n';
    }

private:
    std::vector<std::string> lines_;
};

// A document as the editor holds it, with its own process-wide objects.
class CliDocument {
public:
    bool Open(const std::string& path) { return commands.OpenPath(path, report); }
    int Fail(CliIo io) const {
        messages.PrintTo(io.err);
        return CliExit::Failed;
    }

    CollectedMessages messages;
    UidGenerator uids;
    NUVOAddrGenerator slots;
    CFlowObjectManager store{uids, slots, messages};
    EditorState state{store};
    DocumentCommands commands{state, messages};
    ReportData report;
};

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

int CliImage(std::span<const std::string> arguments, CliIo io) {
    CliDocument document;
    if (!document.Open(arguments[0])) return document.Fail(io);
    NuvoProgramManager image;
    image.BuildImage(document.store);
    PrintImage(image, io.out);
    return CliExit::Ok;
}

int CliSave(std::span<const std::string> arguments, CliIo io) {
    CliDocument document;
    if (!document.Open(arguments[0])) return document.Fail(io);
    document.messages.Clear();  // a failed write reports only its own messages
    if (document.commands.SaveTo(arguments[1], document.report) != SaveResult::Saved)
        return document.Fail(io);
    return CliExit::Ok;
}
