// A flowchart document as the editor holds it, for the qen-cli commands that
// read a file: they load exactly as the editor's open command does.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "document_commands.h"
#include "editor_state.h"
#include "nuvo_addr_generator.h"
#include "qen_cli.h"
#include "uid_generator.h"

// Message boxes and message-area lines, kept to explain a failure.
class CollectedMessages : public INotifier, public IMessageArea {
public:
    void Notify(std::string_view text, MessageSeverity) override { lines_.emplace_back(text); }
    void AddMessage(std::string_view line) override { lines_.emplace_back(line); }
    void Clear() { lines_.clear(); }
    void PrintTo(std::ostream& err) const {
        for (const std::string& line : lines_) err << line << '\n';
    }

private:
    std::vector<std::string> lines_;
};

// The document with its own process-wide objects.
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
