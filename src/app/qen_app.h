// CQenApp: the editor process. It keeps one copy running, makes the program's
// folder the current directory, reads the settings file, creates the
// process-wide objects before any window and runs the main window until it closes.
#pragma once

#include <QApplication>
#include <QTranslator>

#include "single_instance.h"

class CQenApp {
public:
    CQenApp(int& argc, char** argv);
    // The whole run; 0 also when another copy is running (it ends silently).
    int Run();

private:
    QApplication application_;
    QTranslator translator_;
    SingleInstanceLock instanceLock_;
};
