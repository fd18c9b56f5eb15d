// The main window's menus: the menu table, running a command from a menu, the
// tool bar or a key, and enabling the items by page and board state.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "canvas/work_area.h"
#include "common/command_ids.h"
#include "common/help_pages.h"
#include "main_window/main_window.h"
#include "main_window/standard_shortcuts.h"
#include "measure/measure_window.h"

namespace {

struct MenuItem {
    int id;  // 0: separator
    const char* text;
};

struct MenuSpec {
    const char* title;
    std::vector<MenuItem> items;
};

const std::vector<MenuSpec>& Menus() {
    static const std::vector<MenuSpec> menus{
        {"ファイル(&F)",
         {{CommandId::New, "新規作成(&N)\t"},
          {CommandId::Open, "開く(&O)..."},
          {CommandId::Save, "上書き保存(&S)"},
          {CommandId::SaveAs, "名前を付けて保存(&A)..."},
          {0, nullptr},
          {CommandId::Print, "印刷(&P)..."},
          {CommandId::ExportPicture, "画像として書き出し(&G)..."},
          {0, nullptr},
          {CommandId::Exit, "終了(&Q)"}}},
        {"編集(&E)",
         {{CommandId::Undo, "元にもどす(&U)"},
          {0, nullptr},
          {CommandId::Cut, "切り取り(&T)\tCtrl+X"},
          {CommandId::Copy, "コピー(&C)\tCtrl+C"},
          {CommandId::Paste, "貼り付け(&V)\tCtrl+V"},
          {CommandId::Delete, "削除(&D)\tDelete"},
          {0, nullptr},
          {CommandId::SelectAll, "すべてを選択(&A)\tCtrl+A"}}},
        {"表示(&V)",
         {{CommandId::WholeView, "全体表示(&A)"}, {CommandId::NormalView, "通常表示(&N)"}}},
        {"通信(&C)",
         {{CommandId::Check, "チェック(&K)"},
          {CommandId::Transfer, "転送\tF8"},
          {0, nullptr},
          {CommandId::Run, "実行\tF5"},
          {CommandId::StopReset, "停止 / リセット\tF6"},
          {0, nullptr},
          {CommandId::Redetect, "再検出(&R)"},
          {0, nullptr},
          {CommandId::Detach, "取り外す(&D)"},
          {0, nullptr},
          {CommandId::ConnectVirtual, "仮想テルノに接続"},
          {CommandId::DisconnectVirtual, "仮想テルノを切断"}}},
        {"ツール(&T)",
         {{CommandId::MelodyEditor, "メロディエディタ(&M)..."},
          {CommandId::Measurement, "計測ツール(&R)"}}},
        {"ヘルプ(&H)",
         {{CommandId::Help, "ヘルプ(&H)..."},
          {0, nullptr},
          {CommandId::About, "バージョン情報(&I)"}}},
    };
    return menus;
}

// The item's text with its standard shortcut, if it has one, after the tab.
QString ItemText(const MenuItem& item) {
    const QString text = QString::fromUtf8(item.text);
    const StandardShortcut* shortcut = StandardShortcutOf(item.id);
    if (!shortcut) return text;
    return text.section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t') +
           QKeySequence(shortcut->keys).toString(QKeySequence::PortableText);
}

}  // namespace

void CQenDlg::CreateMenus() {
    for (const auto& menuRow : Menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuRow.title));
        connect(menu, &QMenu::aboutToShow, this, &CQenDlg::UpdateMenuStates);
        for (const auto& item : menuRow.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(ItemText(item));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            actions_[id] = action;
        }
        if (menuRow.items.front().id == CommandId::New) fileMenu_ = menu;
        if (menuRow.items.front().id == CommandId::Undo) editMenu_ = menu;
        if (menuRow.items.front().id == CommandId::WholeView) viewMenu_ = menu;
    }
    actions_[CommandId::WholeView]->setCheckable(true);
    actions_[CommandId::NormalView]->setCheckable(true);
    // The recent files go between the print item and the exit item.
    recentSeparator_ = fileMenu_->insertSeparator(actions_[CommandId::Exit]);
    UpdateRecentFiles();
}

QAction* CQenDlg::Action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

bool CQenDlg::MenuItemAvailable(int id) {
    UpdateMenuStates();
    const QAction* action = Action(id);
    if (!action || !action->isEnabled()) return false;
    const auto* menu = qobject_cast<const QMenu*>(action->parent());
    return !menu || menu->menuAction()->isEnabled();
}

void CQenDlg::OnCommand(int id) {
    switch (id) {
        case CommandId::Cut:
        case CommandId::Copy:
        case CommandId::Undo:
            workArea_->OnCommand(id);
            UpdateButtons();
            break;
        case CommandId::WholeView:
        case CommandId::NormalView:
            actions_[CommandId::WholeView]->setChecked(id == CommandId::WholeView);
            actions_[CommandId::NormalView]->setChecked(id == CommandId::NormalView);
            workArea_->OnCommand(id);
            UpdateButtons();
            break;
        case CommandId::Exit:
            CloseMainWindow();
            break;
        case CommandId::Transfer: {
            const EditorPage page = Page();
            const RequestResult result = link_->RequestTransfer(page);
            // The program goes to the board whatever the check finds.
            if (result == RequestResult::Placed && page == EditorPage::Flowchart) {
                CheckCharts(CheckOccasion::BeforeTransfer);
                if (virtualBoard_) virtualBoard_->ProgramSent();
            }
            ShowRefusal(result);
            break;
        }
        case CommandId::Check:
            CheckCharts(CheckOccasion::Asked);
            break;
        case CommandId::ExportPicture:
            ExportPicture();
            break;
        case CommandId::Run:
            ShowRefusal(link_->RequestRun(Page()));
            break;
        case CommandId::StopReset:
            // Offered only while the board can stop; a refusal passes in silence.
            link_->RequestStopReset(Page());
            break;
        case CommandId::Redetect:
            Redetect();
            break;
        case CommandId::Detach:
            Detach();
            break;
        case CommandId::ConnectVirtual:
        case CommandId::DisconnectVirtual:
            ConnectVirtualBoard(id == CommandId::ConnectVirtual);
            break;
        case CommandId::MelodyEditor:
            if (tools_ && !tools_->MelodyEditorOpen()) tools_->OpenMelodyEditor();
            break;
        case CommandId::Measurement:
            measurement_->ShowTool();
            break;
        case CommandId::Help:
            ShowHelp();
            break;
        case CommandId::About:
            ShowAbout();
            break;
        default:
            workArea_->OnCommand(id);
            break;
    }
}

void CQenDlg::UpdateMenuStates() {
    actions_[CommandId::Undo]->setEnabled(state_.history.Count() > 0);
    actions_[CommandId::Paste]->setEnabled(!state_.store.Clipboard().Empty());
    QAction* transfer = actions_[CommandId::Transfer];
    QAction* run = actions_[CommandId::Run];
    QAction* stop = actions_[CommandId::StopReset];
    if (!usb_.IsOpen()) {
        for (QAction* action : {transfer, run, stop, actions_[CommandId::Detach]})
            action->setEnabled(false);
    } else {
        const std::uint8_t mode = link_->LastModeByte();
        const std::uint8_t program = link_->LastProgramState();
        if (state_.currentPage == 0 && mode == 0xA0) {
            if (program == 0x60) {
                for (QAction* action : {transfer, run, stop}) action->setEnabled(true);
            } else if (program == 0x01 || program == 0x80) {
                transfer->setEnabled(false);
                run->setEnabled(false);
                stop->setEnabled(true);
            }
        } else if (state_.currentPage == 0 || state_.currentPage == 1) {
            transfer->setEnabled(true);
            run->setEnabled(false);
            stop->setEnabled(false);
        } else {
            for (QAction* action : {transfer, run, stop}) action->setEnabled(false);
        }
        actions_[CommandId::Detach]->setEnabled(true);
    }
    actions_[CommandId::MelodyEditor]->setEnabled(tools_ && !tools_->MelodyEditorOpen());
    const bool virtualConnected = virtualBoard_ && virtualBoard_->Connected();
    actions_[CommandId::ConnectVirtual]->setEnabled(virtualBoard_ && !virtualConnected);
    actions_[CommandId::DisconnectVirtual]->setEnabled(virtualConnected);
}

void CQenDlg::ShowAbout() { RunAboutBox(this, aboutTexts_ ? aboutTexts_() : AboutTexts{}); }

void CQenDlg::ShowHelp() { ShowHelpPage(this, QStringLiteral("index.html")); }
