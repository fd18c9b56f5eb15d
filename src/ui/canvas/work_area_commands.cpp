// The work area's commands, its context menu and the palette's drop.
#include <QMenu>
#include <cstdio>

#include "canvas/editor_context.h"
#include "canvas/work_area.h"
#include "canvas/work_area_host.h"
#include "common/command_ids.h"
#include "nuvo_addr_generator.h"

namespace {
constexpr const char* kNoHistory = "操作履歴がありません。";
constexpr const char* kOverLimit = "限界を超えています";

std::string UndoneMessage(int stepsLeft) {
    char text[96];
    std::snprintf(text, sizeof text, "操作を一つもどしました。(操作履歴残り%d件)", stepsLeft);
    return text;
}
}  // namespace

bool CDlgWorkArea::EditAllowed() const {
    // Edits wait for a drag, a rubber band or a line to end: they would
    // change the selection a drag is about to record, or delete the symbol
    // a line in progress starts from.
    return OnFlowchartPage() && !state_.wholeView && state_.mouseMode == MouseMode::Idle;
}

bool CDlgWorkArea::OnCommand(int id) {
    switch (id) {
        case CommandId::Undo:
            Undo();
            break;
        case CommandId::Cut:
            if (EditAllowed()) state_.Cut();
            EditDone();
            break;
        case CommandId::Copy:
            if (EditAllowed()) state_.Copy();
            EditDone();
            break;
        case CommandId::Paste:
            if (EditAllowed()) state_.PasteHere(false, 0, 0);
            contextPoint_ = {};
            EditDone();
            break;
        case CommandId::PasteHere:
            PasteAtContextPoint();
            break;
        case CommandId::Delete:
            if (EditAllowed() && !state_.store.Selection().empty()) state_.DeleteSelected();
            EditDone();
            break;
        case CommandId::SelectAll:
            if (EditAllowed()) state_.store.SelectAll(state_.currentChart);
            update();
            break;
        case CommandId::WholeView:
            SetWholeView(true);
            break;
        case CommandId::NormalView:
            SetWholeView(false);
            break;
        case CommandId::ChangeSettings:
            ChangeSettingsAtContextPoint();
            break;
        case CommandId::New:
            // A new or opened document drops the objects a drag or a line
            // in progress refers to: end the mode first.
            EndMouseMode();
            host_.NewDocument();
            EditDone();
            break;
        case CommandId::Open:
            EndMouseMode();
            host_.OpenDocument();
            EditDone();
            break;
        case CommandId::Save:
            host_.SaveDocument();
            break;
        case CommandId::SaveAs:
            host_.SaveDocumentAs();
            break;
        case CommandId::Print:
            host_.PrintChart();
            break;
        default:
            return false;
    }
    return true;
}

void CDlgWorkArea::EditDone() {
    host_.UpdateCounts();
    update();
}

void CDlgWorkArea::Undo() {
    if (OnFlowchartPage() && !state_.wholeView && state_.mouseMode == MouseMode::Idle) {
        if (state_.history.Count() == 0) {
            state_.store.Notifier().ShowMessage(kNoHistory);
        } else if (state_.UndoLast()) {
            host_.WriteMessage(UndoneMessage(state_.history.Count()));
            LayoutScrollBars();
        }
    }
    EditDone();
}

void CDlgWorkArea::PasteAtContextPoint() {
    if (EditAllowed() && contextPoint_.valid) {
        const Point at = PointerAt(contextPoint_.client).sheet.down;
        state_.PasteHere(true, at.x, at.y);
    }
    contextPoint_ = {};
    EditDone();
}

void CDlgWorkArea::SetWholeView(bool on) {
    EndMouseMode();
    state_.wholeView = on;
    if (on) state_.store.Select(0, false, 0, 0);
    if (OnFlowchartPage()) ShowScrollBars(!on);
    update();
}

void CDlgWorkArea::ChangeSettingsAtContextPoint() {
    if (!contextPoint_.valid || contextPoint_.uid == 0) return;
    state_.store.Select(contextPoint_.uid, true, 0, 0);
    repaint();
    state_.ChangeSettings(contextPoint_.uid, host_.SettingsEditor());
    update();
}

void CDlgWorkArea::OpenContextMenu(QPoint client, int uid, bool withSettings) {
    if (state_.wholeView) return;
    contextPoint_ = {true, client, uid};
    QMenu menu(this);
    const auto item = [&](const char* text, int id, bool enabled = true) {
        QAction* action = menu.addAction(QString::fromUtf8(text));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    };
    item("元に戻す", CommandId::Undo, state_.history.Count() > 0);
    menu.addSeparator();
    item("切り取り", CommandId::Cut);
    item("コピー", CommandId::Copy);
    item("貼り付け", CommandId::PasteHere, !state_.store.Clipboard().Empty());
    item("削除", CommandId::Delete);
    menu.addSeparator();
    item("すべてを選択", CommandId::SelectAll);
    if (withSettings) {
        menu.addSeparator();
        item("設定変更", CommandId::ChangeSettings);
    }
    openMenu_ = &menu;
    menu.exec(mapToGlobal(client));
    openMenu_ = nullptr;
}

bool CDlgWorkArea::DropSymbol(int kind, QPoint client) {
    if (!IsSymbolKind(kind) || !IsDropPoint(client)) return false;
    if (state_.store.CountSymbols() >= NUVOAddrGenerator::kSlotCount) {
        host_.WriteMessage(kOverLimit);
    } else {
        const Point at = PointerAt(client).sheet.down;
        state_.PlaceSymbol(kind, at.x, at.y);
    }
    EditDone();
    return true;
}

bool CDlgWorkArea::IsDropPoint(QPoint client) const {
    return OnFlowchartPage() && !state_.wholeView && state_.mouseMode == MouseMode::Idle &&
           InDrawingArea(client);
}
