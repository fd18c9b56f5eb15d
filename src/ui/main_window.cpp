// The main window: children, layout, menus, commands, status bar and closing.
#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <cstdio>

#include "canvas_geometry.h"
#include "clock_page.h"
#include "command_ids.h"
#include "editor_context.h"
#include "file_dialogs.h"
#include "file_messages.h"
#include "information_area.h"
#include "main_window_help.h"
#include "main_window_link_host.h"
#include "notifier.h"
#include "nuvo_addr_generator.h"
#include "print_chart.h"
#include "report_page.h"
#include "work_area.h"

Q_LOGGING_CATEGORY(lcLink, "qen.link", QtWarningMsg)

namespace {

constexpr QRgb kBackground = qRgb(222, 231, 231);
constexpr const char* kCloseQuestion = "未保存のデータがあります。終了しますか。";
constexpr const char* kNewDocumentDone = "ファイルを新規作成しました。";
constexpr int kPaneWidth = 200;

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
          {0, nullptr},
          {MenuId::Exit, "終了(&Q)"}}},
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
         {{MenuId::Transfer, "転送\tF8"},
          {0, nullptr},
          {MenuId::Run, "実行\tF5"},
          {MenuId::StopReset, "停止 / リセット\tF6"},
          {0, nullptr},
          {MenuId::Redetect, "再検出(&R)"},
          {0, nullptr},
          {MenuId::Detach, "取り外す(&D)"}}},
        {"ツール(&T)",
         {{MenuId::MelodyEditor, "メロディエディタ(&M)..."},
          {MenuId::Measurement, "計測ツール(&R)"}}},
        {"ヘルプ(&H)",
         {{MenuId::Help, "ヘルプ(&H)..."}, {0, nullptr}, {MenuId::About, "バージョン情報(&I)"}}},
    };
    return menus;
}

QString Pane(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromUtf8(text);
}

}  // namespace

CQenDlg::CQenDlg(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      context_(services.context),
      state_(services.context.state),
      resources_(services.resources),
      usb_(services.usb),
      clock_(services.clock),
      alerts_(services.alerts),
      dialogs_(services.dialogs),
      aboutTexts_(std::move(services.aboutTexts)),
      messageSink_(std::make_unique<MessageSink>(messages_)),
      settingsEditor_(this),
      documents_(state_, *messageSink_) {
    setWindowTitle(QStringLiteral("テルノエディタ"));
    setWindowIcon(ApplicationIcon());
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(kBackground));
    setPalette(background);

    // The link first: the children ask it for the board's bytes as soon as they exist.
    linkHost_ = std::make_unique<LinkHost>(*this);
    link_ = std::make_unique<BoardLink>(usb_, clock_, *linkHost_, state_.store);

    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    CreateMenus();
    CreateMeasurementTool();

    // Children in the order the window has always made them.
    CreateStatusBar();
    ApplyWindowSize();
    messageBox_ = new QPlainTextEdit(client_);
    messageBox_->setObjectName(QStringLiteral("messageArea"));
    messages_.Init(messageBox_, kMessageLineLimit);
    messages_.Enable(true);
    messages_.SetText("起動しました");

    toolBar_ = new CDlgToolBar(*this, alerts_, client_);
    connect(toolBar_, &CDlgToolBar::commandRequested, this, &CQenDlg::OnCommand);
    connect(toolBar_->StorageList(), &QComboBox::currentIndexChanged, this,
            [this](int index) { storageIndex_ = index; });
    connect(toolBar_->AfterTransferList(), &QComboBox::currentIndexChanged, this,
            [this](int index) { afterTransferIndex_ = index; });

    info_ = new CDlgInformationArea(client_);
    icons_.Load(alerts_);
    palette_ = new CDlgFlowIconArea(icons_, state_.store, *this, context_.dragCursor, client_);
    workArea_ = new CDlgWorkArea(context_, resources_, *this, client_);
    workArea_->SetNeutralReport([this] { return SendNeutralReport(); });
    connect(workArea_->ClockPage(), &CDlgSetting::TransferRequested, this,
            [this] { OnCommand(MenuId::Transfer); });
    LayoutChildren();

    state_.onTitleRefresh = [this] {
        setWindowTitle(QString::fromStdString(DocumentTitle(state_)));
    };
    documents_.UpdateTitle();
    actions_[CommandId::WholeView]->setChecked(false);
    actions_[CommandId::NormalView]->setChecked(true);

    redetectTimer_.setSingleShot(true);
    connect(&redetectTimer_, &QTimer::timeout, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { OnCommand(MenuId::Redetect); }, Qt::QueuedConnection);
    });
    qApp->installEventFilter(this);
    StartLink();
    UpdateCounts();
}

void CQenDlg::CreateMenus() {
    for (const auto& menuRow : Menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuRow.title));
        connect(menu, &QMenu::aboutToShow, this, &CQenDlg::UpdateMenuStates);
        for (const auto& item : menuRow.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            actions_[id] = action;
        }
        if (menuRow.items.front().id == CommandId::Undo) editMenu_ = menu;
        if (menuRow.items.front().id == CommandId::WholeView) viewMenu_ = menu;
    }
    actions_[CommandId::WholeView]->setCheckable(true);
    actions_[CommandId::NormalView]->setCheckable(true);
}

void CQenDlg::CreateStatusBar() {
    const QString initial[3] = {QStringLiteral("X:100 Y:100"),
                                Pane("図記号 %3d/", 0) + Pane("%3d", NUVOAddrGenerator::kSlotCount),
                                QStringLiteral("くり返し 0/8")};
    for (int i = 0; i < 3; ++i) {
        panes_[i] = new QLabel(initial[i], this);
        panes_[i]->setFixedWidth(kPaneWidth);
        statusBar()->addWidget(panes_[i]);
    }
    context_.statusBarHeight = statusBar()->sizeHint().height();
}

// 1024 x 768, or the settings file's size in fixed-size mode, centred on the screen.
void CQenDlg::ApplyWindowSize() {
    const int width = state_.fixedSize ? state_.windowWidth : 1024;
    const int height = state_.fixedSize ? state_.windowHeight : 768;
    if (state_.fixedSize) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        setFixedSize(width, height);
    } else {
        setMinimumSize(1024, 768);
        resize(width, height);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->geometry();
        move(available.x() + (available.width() - width) / 2,
             available.y() + (available.height() - height) / 2);
    }
}

void CQenDlg::LayoutChildren() {
    if (!workArea_) return;
    const int width = client_->width();
    const int height = client_->height();
    messageBox_->setGeometry(0, height - kMessageAreaHeight, width, kMessageAreaHeight);
    toolBar_->Layout(width);
    info_->Place(width, height);
    palette_->Layout(height);
    workArea_->setGeometry(WorkAreaPlacement(width, height));
}

QRect CQenDlg::ChartAreaRect() const {
    if (!palette_ || !workArea_) return {};
    const QPoint topLeft = palette_->mapToGlobal(QPoint(0, 0)) + QPoint(2, 2);
    const QPoint bottomRight =
        workArea_->mapToGlobal(QPoint(workArea_->width(), workArea_->height())) - QPoint(2, 2);
    return QRect(topLeft, bottomRight);
}

void CQenDlg::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutChildren();
}

QAction* CQenDlg::Action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
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
        case MenuId::Exit:
            CloseMainWindow();
            break;
        case MenuId::Transfer:
            link_->RequestTransfer(Page());
            break;
        case MenuId::Run:
            link_->RequestRun(Page());
            break;
        case MenuId::StopReset:
            link_->RequestStopReset(Page());
            break;
        case MenuId::Redetect:
            Redetect();
            break;
        case MenuId::Detach:
            Detach();
            break;
        case MenuId::MelodyEditor:
            if (tools_ && !tools_->MelodyEditorOpen()) tools_->OpenMelodyEditor();
            break;
        case MenuId::Measurement:
            measurement_->ShowTool();
            break;
        case MenuId::Help:
            ShowHelp();
            break;
        case MenuId::About:
            ShowAbout();
            break;
        default:
            workArea_->OnCommand(id);
            break;
    }
}

bool CQenDlg::CloseMainWindow() {
    if (!MayClose()) return false;
    close();
    return true;
}

// The measurement tool and unsaved changes may keep the window open; a
// window that goes stops the board worker first.
bool CQenDlg::MayClose() {
    if (closing_) return true;
    if (!measurement_->MayClose()) return false;
    if (state_.modified && !dialogs_.AskYesNo(kCloseQuestion)) return false;
    link_->StopBoardThread();
    closing_ = true;
    return true;
}

// The close box runs the same checks as the close command.
void CQenDlg::closeEvent(QCloseEvent* event) {
    if (MayClose())
        event->accept();
    else
        event->ignore();
}

void CQenDlg::WriteMessage(std::string_view text) { messages_.AddMessage(text); }

void CQenDlg::UpdateCounts() {
    panes_[1]->setText(Pane("図記号 %3d/250", state_.store.Slots().CountUsed()));
    panes_[2]->setText(Pane("くり返し %d/8", state_.store.CountLoopBegins()));
    UpdateButtons();
}

void CQenDlg::UpdateButtons() {
    toolBar_->UpdateButtons(link_->LastModeByte(), link_->LastProgramState());
}

void CQenDlg::UpdateCursorCell(int x, int y) {
    const int column = std::clamp(x / kGrid, 0, Canvas::kHorizontalCells);
    const int row = std::clamp(y / kGrid, 0, Canvas::kVerticalCells);
    char text[32];
    std::snprintf(text, sizeof text, "X:%3d Y:%3d", column, row);
    panes_[0]->setText(QString::fromUtf8(text));
}

void CQenDlg::PageChanged(int page) {
    palette_->setVisible(page == 0);
    toolBar_->ShowForPage(page);
}

void CQenDlg::SetEditMenusEnabled(bool enabled) {
    editMenu_->menuAction()->setEnabled(enabled);
    viewMenu_->menuAction()->setEnabled(enabled);
}

void CQenDlg::NewDocument() {
    if (state_.modified && !dialogs_.AskYesNo(FileText::DiscardUnsaved)) return;
    documents_.NewDocument();
    workArea_->ReportPage()->ClearReport();
    messages_.AddMessage(kNewDocumentDone);
}

void CQenDlg::OpenDocument() {
    ReportData report = workArea_->ReportPage()->GetReport();
    if (documents_.Open(report, dialogs_)) workArea_->ReportPage()->SetReport(report);
}

void CQenDlg::SaveDocument() { documents_.Save(workArea_->ReportPage()->GetReport(), dialogs_); }

void CQenDlg::SaveDocumentAs() {
    documents_.SaveAs(workArea_->ReportPage()->GetReport(), dialogs_);
}

void CQenDlg::PrintChart() {
    // A printer that cannot start a page must not look like a finished print.
    if (RunPrintCommand(this, state_.store, resources_, *workArea_->ReportPage(),
                        state_.currentChart) == PrintOutcome::Failed)
        alerts_.ShowMessage("印刷を開始できませんでした。");
}

int CQenDlg::CurrentChart() const { return state_.currentChart; }

void CQenDlg::SelectionCleared() { workArea_->update(); }

bool CQenDlg::IsDropPoint(const QPoint& global) const {
    const QPoint client = workArea_->mapFromGlobal(global);
    return state_.currentPage == 0 && !state_.wholeView && state_.mouseMode == MouseMode::Idle &&
           workArea_->rect().contains(client) && workArea_->DrawingArea().contains(client);
}

void CQenDlg::DropSymbol(int kind, const QPoint& global) {
    workArea_->DropSymbol(kind, workArea_->mapFromGlobal(global));
}

bool CQenDlg::ClipboardEmpty() const { return state_.store.Clipboard().Empty(); }
bool CQenDlg::HistoryEmpty() const { return state_.history.Count() == 0; }
bool CQenDlg::WholeView() const { return state_.wholeView; }
bool CQenDlg::BoardOpen() const { return usb_.IsOpen(); }

EditorPage CQenDlg::Page() const { return static_cast<EditorPage>(state_.currentPage); }

void CQenDlg::ShowAbout() { RunAboutBox(this, aboutTexts_ ? aboutTexts_() : AboutTexts{}); }

void CQenDlg::ShowHelp() { ShowHelpPage(this, QStringLiteral("index.html")); }
