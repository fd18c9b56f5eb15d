#include "main_window/tool_windows.h"

CToolWindows::CToolWindows(CQenDlg& mainWindow, IMidiOutput& midi, IPlaybackTimer& timer,
                           const QFont& smallFont)
    : main_(mainWindow) {
    // A window of its own rather than a child: disabling the main window
    // must not disable the editor with it.
    melody_ = std::make_unique<CDlgToolMelody>(
        MelodyEditorServices{*this, melodyDialogs_, midi, timer, smallFont});
    melodyDialogs_.SetParent(melody_.get());
}

CToolWindows::~CToolWindows() = default;

// The transfer item follows the board link itself, asked again whenever the menu opens.
void CToolWindows::SetBoardConnected(bool /*connected*/) { melody_->UpdateMenuStates(); }

void CToolWindows::OpenMelodyEditor() { melody_->OpenEditor(); }

bool CToolWindows::MelodyEditorOpen() const { return melody_->IsOpen(); }

void CToolWindows::SetMelodyEditorEnabled(bool enabled) { melody_->setEnabled(enabled); }

void CToolWindows::ReturnToMelodyEditor() {
    if (!melody_->IsOpen()) return;
    melody_->activateWindow();
    melody_->raise();
}

bool CToolWindows::BoardOpen() const { return main_.BoardOpen(); }

bool CToolWindows::RequestMelodyTransfer(const MelodyImage& image) {
    const RequestResult result = main_.Link().RequestMelodyTransfer(image);
    main_.ShowRefusal(result);
    return result == RequestResult::Placed;
}

void CToolWindows::SetMainWindowEnabled(bool enabled) { main_.setEnabled(enabled); }
