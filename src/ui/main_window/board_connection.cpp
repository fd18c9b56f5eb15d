// The main window's side of the board link: opening, re-detecting and
// detaching the board, plug events, board notices and status reports. The
// worker's calls arrive on its own thread and are queued to this window.
#include <QApplication>
#include <QPointer>

#include "board_access.h"
#include "canvas/editor_context.h"
#include "main_window/information_area.h"
#include "main_window/link_host.h"
#include "main_window/main_window.h"
#include "notifier.h"

namespace {
constexpr const char* kUsbReady = "USBの準備に成功しました";
constexpr const char* kUsbFailed = "USBの準備に失敗しました";
constexpr const char* kDetached = "テルノとの通信を終了しました。";
constexpr const char* kVirtualConnected = "仮想テルノに接続しました。";
constexpr const char* kVirtualDisconnected = "仮想テルノを切断しました。";

// Start-up writes the line without the final "。", a re-detect with it.
const char* NotFoundText(bool redetect) {
    return redetect ? "テルノが見つかりませんでした。" : "テルノが見つかりませんでした";
}
}  // namespace

void CQenDlg::StartLink() {
    const bool ready = usb_.Initialize([this](const DeviceEvent& event) {
        QPointer<CQenDlg> target(this);
        QMetaObject::invokeMethod(
            this,
            [target, event] {
                if (target) target->OnDeviceEvent(event);
            },
            Qt::QueuedConnection);
    });
    WriteMessage(ready ? kUsbReady : kUsbFailed);
    OpenBoard(false);
    usb_.RegisterForDeviceNotifications();
    UpdateButtons();
}

// Start-up and re-detect: the first board present is opened and the handshake starts.
void CQenDlg::OpenBoard(bool redetect) {
    UsbDeviceInfo device;
    switch (link_->OpenFirstBoard(device)) {
        case OpenOutcome::NotFound:
            WriteMessage(NotFoundText(redetect));
            info_->Clear();
            if (tools_) tools_->SetBoardConnected(false);
            measurement_->SetConnected(false);
            break;
        case OpenOutcome::Opened:
            WriteMessage(redetect ? "テルノとの通信を開始しました。"
                                  : "テルノとの通信を開始しました");
            ShowStatus();
            if (tools_) tools_->SetBoardConnected(true);
            measurement_->SetConnected(true);
            break;
        case OpenOutcome::OpenFailed:
            // No board to talk to, as when none is found, and then why, with the
            // way out (on Linux the udev rule that lets the user open the board).
            WriteMessage(NotFoundText(redetect));
            WriteMessage(BoardNotOpenedText());
            // The worker has stopped: the panel no longer shows a board.
            info_->Clear();
            if (!redetect && tools_) tools_->SetBoardConnected(false);
            if (!redetect) measurement_->SetConnected(false);
            break;
    }
}

void CQenDlg::Redetect() {
    OpenBoard(true);
    UpdateButtons();
}

void CQenDlg::Detach() {
    link_->DetachBoard();
    WriteMessage(kDetached);
    info_->Clear();
    UpdateButtons();
    if (tools_) tools_->SetBoardConnected(false);
    measurement_->SetConnected(false);
}

// The board link leaves the board it has (silently for a USB board, which the
// virtual one replaces), the transport changes, and the usual re-detect follows.
void CQenDlg::ConnectVirtualBoard(bool connect) {
    if (virtualBoard_ == nullptr || virtualBoard_->Connected() == connect) return;
    if (connect) {
        link_->DetachBoard();
    } else {
        Detach();
    }
    virtualBoard_->SetConnected(connect);
    WriteMessage(connect ? kVirtualConnected : kVirtualDisconnected);
    Redetect();
}

void CQenDlg::OnDeviceEvent(const DeviceEvent& event) {
    std::string path;
    switch (usb_.ClassifyDeviceChange(event, path)) {
        case BoardChange::Arrived:
            redetectTimer_.start(kRedetectDelayMs);
            break;
        case BoardChange::Removed:
            QMetaObject::invokeMethod(
                this, [this] { OnCommand(CommandId::Detach); }, Qt::QueuedConnection);
            break;
        case BoardChange::None:
            break;
    }
}

void CQenDlg::OnBoardNotice(BoardNotice notice) {
    const NoticeMessage message = DescribeBoardNotice(notice);
    if (!message.text.empty()) WriteMessage(message.text);
    switch (message.followUp) {
        case NoticeFollowUp::Detach:
            Detach();
            break;
        case NoticeFollowUp::ReturnToMelodyEditor:
            if (tools_) tools_->ReturnToMelodyEditor();
            break;
        case NoticeFollowUp::None:
            break;
    }
}

// The panel always shows the link's current values, so a report queued
// before the worker stopped cannot bring back a board that is gone.
void CQenDlg::ShowStatus() { info_->SetStatus(link_->Status()); }

void CQenDlg::ShowRefusal(RequestResult result) {
    if (const std::string_view text = RefusalText(result); !text.empty()) WriteMessage(text);
}
