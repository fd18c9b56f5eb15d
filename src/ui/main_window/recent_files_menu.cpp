// The recent files of the ファイル menu, and opening a file by its path as the
// open command does: for a recent file, or one handed to the editor.
#include <QAction>
#include <QDir>
#include <QMenu>

#include "canvas/work_area.h"
#include "dialogs/report_page.h"
#include "file_messages.h"
#include "main_window/main_window.h"
#include "recent_files.h"

namespace {

constexpr int kRecentTextWidth = 480;  // pixels; longer paths lose their middle

// "&1 ~/授業/chart.xml": the number as its mnemonic, the home folder shortened.
QString RecentText(std::size_t index, const std::string& path, const QFontMetrics& metrics) {
    QString shown = QDir::toNativeSeparators(QString::fromStdString(path));
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (shown.startsWith(home + QDir::separator()))
        shown = QLatin1Char('~') + shown.mid(home.size());
    shown = metrics.elidedText(shown, Qt::ElideMiddle, kRecentTextWidth);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace

bool CQenDlg::OpenDocumentPath(const std::string& path) {
    if (state_.modified && !dialogs_.AskYesNo(FileText::DiscardUnsaved)) return false;
    bool opened = false;
    workArea_->ReplaceDocument([&] {
        ReportData report;
        opened = documents_.OpenPath(path, report);
        workArea_->ReportPage()->SetReport(report);
    });
    if (opened) RememberDocument();
    return opened;
}

void CQenDlg::RememberDocument() {
    if (!recentFiles_ || state_.isNew) return;
    recentFiles_->Add(state_.filePath + state_.fileName);
    UpdateRecentFiles();
}

void CQenDlg::UpdateRecentFiles() {
    // The action that was chosen may be running this: it goes once it has returned.
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    if (recentFiles_) {
        const std::vector<std::string>& paths = recentFiles_->Paths();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string path = paths[i];
            auto* action = new QAction(RecentText(i, path, fileMenu_->fontMetrics()), fileMenu_);
            action->setStatusTip(QString::fromStdString(path));
            connect(action, &QAction::triggered, this, [this, path] { OpenDocumentPath(path); });
            fileMenu_->insertAction(recentSeparator_, action);
            recentActions_.push_back(action);
        }
    }
    recentSeparator_->setVisible(!recentActions_.empty());
}
