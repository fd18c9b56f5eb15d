#include "melody/melody_dialogs.h"

#include <QMessageBox>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void MelodyDialogs::SetParent(QWidget* parent) {
    parent_ = parent;
    files_.SetParent(parent);
}

void MelodyDialogs::Notify(std::string_view text, MessageSeverity severity) {
    QMessageBox box(MessageBoxIcon(severity), QString::fromUtf8(kMelodyCaption), FromUtf8(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

bool MelodyDialogs::AskYesNo(std::string_view question) {
    return QMessageBox::warning(parent_, QString::fromUtf8(kMelodyCaption), FromUtf8(question),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> MelodyDialogs::ChooseOpenPath(const FileDialogRequest& request) {
    return files_.ChooseOpenPath(request);
}

std::optional<std::string> MelodyDialogs::ChooseSavePath(const FileDialogRequest& request) {
    return files_.ChooseSavePath(request);
}

void MelodyDialogs::RunPlaybackBox() {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMelodyCaption),
                    QString::fromUtf8(kPlayingText), QMessageBox::Ok, parent_);
    box.exec();
}
