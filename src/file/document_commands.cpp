#include "document_commands.h"

#include <filesystem>

#include "file_messages.h"
#include "load_all.h"
#include "save_all.h"

namespace {

constexpr FileDialogRequest kOpenRequest{"xml", "*.xml", FileText::Filter, false};
constexpr FileDialogRequest kSaveRequest{"xml", "", FileText::Filter, true};

}  // namespace

std::string DocumentTitle(const EditorState& state) {
    std::string title(FileText::AppTitle);
    if (state.isNew)
        title += FileText::NewChartTitle;
    else
        title += state.filePath + state.fileName;
    if (state.modified) title += '*';
    return title;
}

DocumentCommands::DocumentCommands(EditorState& state, IMessageArea& messages)
    : state_(state), messages_(messages) {}

void DocumentCommands::NewDocument() {
    for (int chart = 0; chart < kChartCount; ++chart) state_.ClearChart(chart);
    state_.ClearHistory();
    state_.isNew = true;
    state_.modified = false;
    state_.filePath.clear();
    state_.fileName.clear();
    UpdateTitle();
}

int DocumentCommands::Open(ReportData& report, IFileDialogs& dialogs) {
    if (state_.modified && !dialogs.AskYesNo(FileText::DiscardUnsaved)) return 0;
    const std::optional<std::string> path = dialogs.ChooseOpenPath(kOpenRequest);
    if (!path) return 0;
    OpenPath(*path, report);
    return 1;
}

bool DocumentCommands::OpenPath(const std::string& path, ReportData& report) {
    NewDocument();
    if (LoadAll(state_.store, path, report, messages_)) {
        state_.ClearHistory();
        state_.isNew = false;
        state_.modified = false;
        TakeFileName(path);
        UpdateTitle();
        messages_.AddMessage(LoadedText(path));
        return true;
    }
    NewDocument();
    state_.store.Notifier().ShowNotice(FileText::LoadAborted);
    report = {};
    messages_.AddMessage(LoadAbortedText(path));
    return false;
}

SaveResult DocumentCommands::Save(const ReportData& report, IFileDialogs& dialogs) {
    if (state_.isNew) return SaveAs(report, dialogs);
    return SaveTo(state_.filePath + state_.fileName, report);
}

SaveResult DocumentCommands::SaveAs(const ReportData& report, IFileDialogs& dialogs) {
    const std::optional<std::string> path = dialogs.ChooseSavePath(kSaveRequest);
    if (!path) return SaveResult::Cancelled;
    return SaveTo(*path, report);
}

SaveResult DocumentCommands::SaveTo(const std::string& path, const ReportData& report) {
    if (!SaveAll(state_.store, path, report)) return SaveResult::Failed;
    state_.isNew = false;
    state_.modified = false;
    TakeFileName(path);
    state_.ClearHistory();
    UpdateTitle();
    messages_.AddMessage(SavedText(path));
    return SaveResult::Saved;
}

void DocumentCommands::UpdateTitle() {
    if (state_.onTitleRefresh) state_.onTitleRefresh();
}

void DocumentCommands::TakeFileName(const std::string& path) {
    const std::filesystem::path file(path);
    const std::filesystem::path folder = file.parent_path();
    state_.filePath = folder.empty() ? std::string() : (folder / "").string();
    state_.fileName = file.filename().string();
}
