// Message boxes and file dialogs over Qt.
#include "common/qt_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Caption() { return QString::fromUtf8(kEditorCaption); }

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

QMessageBox::Icon MessageBoxIcon(MessageSeverity severity) {
    switch (severity) {
        case MessageSeverity::Error:
            return QMessageBox::Critical;
        case MessageSeverity::Plain:
            return QMessageBox::NoIcon;
        case MessageSeverity::Warning:
            break;
    }
    return QMessageBox::Warning;
}

void MessageBoxNotifier::Notify(std::string_view text, MessageSeverity severity) {
    QMessageBox box(MessageBoxIcon(severity), Caption(), FromUtf8(text), QMessageBox::Ok, parent_);
    box.exec();
}

QString QtNameFilter(std::string_view filter) {
    QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString pattern = parts[i + 1];
        if (description.isEmpty()) break;
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('(')) ? description
                                                           : description + " (" + patterns + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

std::string WithDefaultExtension(const std::string& path, std::string_view extension) {
    if (extension.empty() || !QFileInfo(QString::fromStdString(path)).suffix().isEmpty())
        return path;
    return path + "." + std::string(extension);
}

void QtFileDialogs::RememberFolder(const QString& path) {
    folder_ = QFileInfo(path).absolutePath();
}

std::optional<std::string> QtFileDialogs::ChooseOpenPath(const FileDialogRequest& request) {
    if (folder_.isEmpty()) folder_ = DocumentsFolder();
    const QString path =
        QFileDialog::getOpenFileName(parent_, QString(), folder_, QtNameFilter(request.filter));
    if (path.isEmpty()) return std::nullopt;
    RememberFolder(path);
    return path.toStdString();
}

std::optional<std::string> QtFileDialogs::ChooseSavePath(const FileDialogRequest& request) {
    const QString initial = FromUtf8(request.initialName);
    QFileDialog::Options options;
    if (!request.promptOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    if (folder_.isEmpty()) folder_ = DocumentsFolder();
    const QString name = initial.contains(QLatin1Char('*')) ? QString() : initial;
    QString start = QDir(folder_).filePath(name);
    while (true) {
        const QString chosen = QFileDialog::getSaveFileName(
            parent_, QString(), start, QtNameFilter(request.filter), nullptr, options);
        if (chosen.isEmpty()) return std::nullopt;
        const std::string path = WithDefaultExtension(chosen.toStdString(), request.defaultExtension);
        // The dialog asked about the name as typed; with the extension added it
        // names another file, which must not be replaced unasked either. No
        // brings the dialog back for another name, as the dialog's own question does.
        const QString written = QString::fromStdString(path);
        if (request.promptOverwrite && written != chosen && QFileInfo::exists(written) &&
            !ConfirmReplace(written)) {
            start = chosen;
            continue;
        }
        RememberFolder(chosen);
        return path;
    }
}

// The save dialog's own question with its title, in Qt's (translated) words.
bool QtFileDialogs::ConfirmReplace(const QString& path) const {
    const QString title = QCoreApplication::translate("QFileDialog", "Save As");
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
            .arg(QFileInfo(path).fileName());
    return QMessageBox::warning(parent_, title, question, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

bool QtFileDialogs::AskYesNo(std::string_view question) {
    return QMessageBox::warning(parent_, Caption(), FromUtf8(question),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}
