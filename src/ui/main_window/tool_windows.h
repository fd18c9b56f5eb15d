// The melody editor as the main window drives it, created hidden with the
// main window (the measurement tool is the main window's own child).
#pragma once

#include <QFont>
#include <memory>

#include "main_window/main_window.h"
#include "melody/melody_dialogs.h"
#include "melody/melody_editor.h"

class CToolWindows : public IToolWindows, private IMelodyEditorHost {
public:
    // midi and timer outlive this object; so does the main window.
    CToolWindows(CQenDlg& mainWindow, IMidiOutput& midi, IPlaybackTimer& timer,
                 const QFont& smallFont);
    ~CToolWindows() override;

    CDlgToolMelody& MelodyEditor() { return *melody_; }

    void SetBoardConnected(bool connected) override;
    void OpenMelodyEditor() override;
    bool MelodyEditorOpen() const override;
    void SetMelodyEditorEnabled(bool enabled) override;
    void ReturnToMelodyEditor() override;

private:
    // IMelodyEditorHost.
    bool BoardOpen() const override;
    bool RequestMelodyTransfer(const MelodyImage& image) override;
    void SetMainWindowEnabled(bool enabled) override;

    CQenDlg& main_;
    MelodyDialogs melodyDialogs_;
    std::unique_ptr<CDlgToolMelody> melody_;
};
