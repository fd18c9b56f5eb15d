// Help pages: found next to the program (or in its installed data folder)
// and opened with the desktop's default application.
#include "common/help_pages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

HelpLauncher DesktopHelpLauncher() {
    return {[](const QUrl& url) { return QDesktopServices::openUrl(url); },
            [] { return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty(); }};
}

QString FindHelpPage(const QString& page) {
    const QString installed =
        QCoreApplication::applicationDirPath() + "/../share/qen-editor/HELP/" + page;
    for (const QString& candidate : {QDir::current().filePath("HELP/" + page), installed}) {
        const QFileInfo file(candidate);
        if (file.isFile()) return file.canonicalFilePath();
    }
    return {};
}

HelpOutcome OpenHelpPage(const QString& page, const HelpLauncher& launcher) {
    const QString path = FindHelpPage(page);
    if (path.isEmpty()) return HelpOutcome::NotFound;
    if (!launcher.hasViewer()) return HelpOutcome::NoApplication;
    return launcher.open(QUrl::fromLocalFile(path)) ? HelpOutcome::Opened : HelpOutcome::Failed;
}

QString HelpFailureText(HelpOutcome outcome) {
    switch (outcome) {
        case HelpOutcome::NotFound:
            return QStringLiteral("ヘルプファイルが見つかりません");
        case HelpOutcome::NoApplication:
            return QStringLiteral("HTMLドキュメントに対応したアプリケーションがありません");
        case HelpOutcome::Failed:
            return QStringLiteral("ヘルプファイルが開けませんでした");
        case HelpOutcome::Opened:
            break;
    }
    return {};
}

void ShowHelpPage(QWidget* parent, const QString& page, const QString& caption) {
    const HelpOutcome outcome = OpenHelpPage(page, DesktopHelpLauncher());
    if (outcome != HelpOutcome::Opened)
        QMessageBox::warning(parent, caption, HelpFailureText(outcome), QMessageBox::Ok);
}
