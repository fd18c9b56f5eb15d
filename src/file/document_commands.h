// The document commands: new, open, save and save as, with the window title
// that shows the document's name and modified mark.
#pragma once

#include <string>

#include "editor_state.h"
#include "file_dialogs.h"
#include "message_lines.h"
#include "report_data.h"

enum class SaveResult { Saved, Cancelled, Failed };

// "テルノエディタ　　" followed by "新規フローチャート" or the file's path, and
// "*" while there are unsaved changes.
std::string DocumentTitle(const EditorState& state);

class DocumentCommands {
public:
    // Message boxes go to the store's notifier, progress lines to messages.
    DocumentCommands(EditorState& state, IMessageArea& messages);

    // Empties the four charts and the history; the document becomes new and
    // unmodified. The report page is the caller's to clear.
    void NewDocument();
    // Asks before discarding unsaved changes, then lets the user choose a
    // file and opens it; 1 when a file was chosen, 0 otherwise.
    int Open(ReportData& report, IFileDialogs& dialogs);
    // Opens path as the open command does once a file is chosen; false when
    // the load failed, leaving an empty new document and an empty report.
    bool OpenPath(const std::string& path, ReportData& report);
    // Writes to the document's file, or as save as while it is new.
    SaveResult Save(const ReportData& report, IFileDialogs& dialogs);
    SaveResult SaveAs(const ReportData& report, IFileDialogs& dialogs);
    // Writes to path as save and save as do once the path is known. After a
    // failure the document keeps its name and its modified mark.
    SaveResult SaveTo(const std::string& path, const ReportData& report);
    // Asks for the window title (DocumentTitle) to be drawn again.
    void UpdateTitle();

private:
    void TakeFileName(const std::string& path);

    EditorState& state_;
    IMessageArea& messages_;
};
