// The main window's keys and wheel routing, by page.
#include <QKeyEvent>
#include <QWheelEvent>

#include "canvas/editor_context.h"
#include "canvas/work_area.h"
#include "common/command_ids.h"
#include "main_window/main_window.h"

namespace {

// The command of a key on the flowchart page, or 0.
int FlowchartKeyCommand(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier) {
        switch (key.key()) {
            case Qt::Key_A:
                return CommandId::SelectAll;
            case Qt::Key_C:
                return CommandId::Copy;
            case Qt::Key_V:
                return CommandId::Paste;
            case Qt::Key_X:
                return CommandId::Cut;
            default:
                return 0;
        }
    }
    if (mods != Qt::NoModifier) return 0;
    switch (key.key()) {
        case Qt::Key_Delete:
            return CommandId::Delete;
        case Qt::Key_F5:
            return CommandId::Run;
        case Qt::Key_F6:
            return CommandId::StopReset;
        case Qt::Key_F8:
            return CommandId::Transfer;
        default:
            return 0;
    }
}

}  // namespace

bool CQenDlg::InThisWindow(QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == this;
}

bool CQenDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && InThisWindow(watched))
        return PreTranslateKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::Wheel && InThisWindow(watched))
        return RouteWheel(watched, static_cast<QWheelEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// The page's command keys run here, before any child sees them; other keys
// go on to the focused control (the report page's fields need them).
bool CQenDlg::PreTranslateKey(QKeyEvent* event) {
    int command = 0;
    if (state_.currentPage == 0) {
        command = FlowchartKeyCommand(*event);
        if (command == CommandId::StopReset && !usb_.IsOpen()) command = 0;
    } else if (state_.currentPage == 1 && event->key() == Qt::Key_F8 &&
               (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        command = CommandId::Transfer;
    }
    if (command == 0) return false;
    OnCommand(command);
    return true;
}

// On the flowchart page the wheel only ever scrolls the work area, and only
// with no button or modifier key down; the work area applies that rule.
bool CQenDlg::RouteWheel(QObject* watched, QWheelEvent* event) {
    if (state_.currentPage != 0) return false;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget && (widget == workArea_ || workArea_->isAncestorOf(widget))) return false;
    event->accept();
    return true;
}
