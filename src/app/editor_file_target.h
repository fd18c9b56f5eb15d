// The editor's windows as the file requests see them: flowcharts open in the
// main window, melodies in the melody editor, each as its open command does.
#pragma once

#include "file_requests.h"

class CQenDlg;
class CToolWindows;

class EditorFileTarget : public IFileOpenTarget {
public:
    // Both windows outlive this object.
    EditorFileTarget(CQenDlg& mainWindow, CToolWindows& tools);

    bool CanOpen(FileKind kind) const override;
    void Open(FileKind kind, const QString& path) override;
    void BringToFront() override;

private:
    CQenDlg& main_;
    CToolWindows& tools_;
};
