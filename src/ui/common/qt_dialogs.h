// The editor's message boxes and the platform's file choosers, behind the
// core's notifier and file-dialog interfaces.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "file_dialogs.h"
#include "notifier.h"

// The box's icon for a message: warning, error (critical) or none.
QMessageBox::Icon MessageBoxIcon(MessageSeverity severity);

// Every refusal and error shown as a modal box with OK, captioned as the editor.
class MessageBoxNotifier : public INotifier {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Notify(std::string_view text, MessageSeverity severity) override;

private:
    QPointer<QWidget> parent_;
};

// The platform's file dialogs and a yes / no box with a warning icon.
class QtFileDialogs : public IFileDialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) override;
    bool AskYesNo(std::string_view question) override;
    // The folder the next dialog opens in: the last one a file was chosen in,
    // at first the user's documents folder (never the program's own folder).
    const QString& Folder() const { return folder_; }

private:
    void RememberFolder(const QString& path);
    // Yes / No before an existing file is replaced; true for Yes.
    bool ConfirmReplace(const QString& path) const;

    QPointer<QWidget> parent_;
    QString folder_;
};

// "description|pattern|...||" as a Qt name filter list.
QString QtNameFilter(std::string_view filter);
// A chosen save path with the default extension added when it has none.
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

inline constexpr const char* kEditorCaption = "テルノエディタ　　";
