// Opening a help page with the desktop's default application, and the texts
// of its failures.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

enum class HelpOutcome { Opened, NotFound, NoApplication, Failed };

// How a page is handed to the desktop; tests give their own.
struct HelpLauncher {
    std::function<bool(const QUrl&)> open;
    std::function<bool()> hasViewer;  // false: no application opens HTML documents
};
HelpLauncher DesktopHelpLauncher();

// The page under "HELP" in the current directory (the program's), else in
// the installed data folder beside the program; empty when neither has it.
QString FindHelpPage(const QString& page);
HelpOutcome OpenHelpPage(const QString& page, const HelpLauncher& launcher);
// The message shown for a failure; empty for Opened.
QString HelpFailureText(HelpOutcome outcome);
// Opens the page; a failure is shown in a box captioned caption.
void ShowHelpPage(QWidget* parent, const QString& page,
                  const QString& caption = QStringLiteral("テルノエディタ　　"));
