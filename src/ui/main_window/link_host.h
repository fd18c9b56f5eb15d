// The board link's host for the main window: the worker's calls, queued to
// the window's thread.
#pragma once

#include <QLoggingCategory>
#include <QPointer>

#include "canvas/editor_context.h"
#include "main_window/main_window.h"

Q_DECLARE_LOGGING_CATEGORY(lcLink)

class CQenDlg::LinkHost : public IBoardLinkHost {
public:
    explicit LinkHost(CQenDlg& window) : window_(&window), state_(window.state_) {}

    void PostBoardNotice(BoardNotice notice) override {
        Queue([notice](CQenDlg& w) { w.OnBoardNotice(notice); });
    }
    void SetWindowEnabled(LinkWindow which, bool enabled) override {
        Queue([which, enabled](CQenDlg& w) {
            if (which == LinkWindow::Main)
                w.setEnabled(enabled);
            else if (w.tools_)
                w.tools_->SetMelodyEditorEnabled(enabled);
        });
    }
    // The bytes are read again on arrival, so a late call shows the newest ones.
    void CommandBytesChanged(std::uint8_t, std::uint8_t) override {
        Queue([](CQenDlg& w) { w.UpdateButtons(); });
    }
    StorageArea ChosenStorageArea() override {
        return window_->storageIndex_.load() == 1 ? StorageArea::Save2 : StorageArea::Save1;
    }
    AfterTransfer ChosenAfterTransfer() override {
        return window_->afterTransferIndex_.load() == 1 ? AfterTransfer::Detach
                                                        : AfterTransfer::KeepAttached;
    }
    void StatusChanged(const BoardStatus& status) override {
        // The latest readings, for the measurement tool.
        if (status.light.valid) state_.light = status.light.value;
        if (status.temperature.valid) state_.temperature = status.temperature.value;
        Queue([](CQenDlg& w) { w.ShowStatus(); });
    }
    void DebugTrace(std::string_view line) override {
        qCDebug(lcLink, "%.*s", static_cast<int>(line.size()), line.data());
    }
    void ShowAlert(std::string_view text) override { window_->alerts_.ShowMessage(text); }

private:
    template <typename F>
    void Queue(F call) {
        QPointer<CQenDlg> target(window_);
        QMetaObject::invokeMethod(
            window_,
            [target, call] {
                if (target) call(*target);
            },
            Qt::QueuedConnection);
    }

    CQenDlg* window_;
    EditorState& state_;
};
