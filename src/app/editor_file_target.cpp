// Opening a requested file in its window, when that window can take it: a
// window with a dialog open, or the main window while the melody editor or a
// board step has it disabled, waits.
#include "editor_file_target.h"

#include <QApplication>
#include <QLoggingCategory>

#include "common/command_ids.h"
#include "main_window/main_window.h"
#include "main_window/tool_windows.h"

namespace {

// Enabled with QT_LOGGING_RULES="qen.files.info=true"; the process tests read it.
Q_LOGGING_CATEGORY(lcFiles, "qen.files", QtWarningMsg)

void Raise(QWidget& window) {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
}

}  // namespace

EditorFileTarget::EditorFileTarget(CQenDlg& mainWindow, CToolWindows& tools)
    : main_(mainWindow), tools_(tools) {}

bool EditorFileTarget::CanOpen(FileKind kind) const {
    if (QApplication::activeModalWidget() != nullptr) return false;
    if (kind == FileKind::Melody && tools_.MelodyEditorOpen())
        return tools_.MelodyEditor().isEnabled();
    return main_.isEnabled();
}

void EditorFileTarget::Open(FileKind kind, const QString& path) {
    bool opened = false;
    if (kind == FileKind::Flowchart) {
        Raise(main_);
        opened = main_.OpenDocumentPath(path.toStdString());
    } else {
        if (!tools_.MelodyEditorOpen()) main_.OnCommand(CommandId::MelodyEditor);
        Raise(tools_.MelodyEditor());
        opened = tools_.MelodyEditor().OpenMelodyPath(path.toStdString());
    }
    qCInfo(lcFiles, "%s %s: %s", kind == FileKind::Flowchart ? "flowchart" : "melody",
           opened ? "opened" : "not opened", qUtf8Printable(path));
}

void EditorFileTarget::BringToFront() {
    if (QWidget* modal = QApplication::activeModalWidget())
        Raise(*modal);
    else if (tools_.MelodyEditorOpen())
        Raise(tools_.MelodyEditor());
    else
        Raise(main_);
}
