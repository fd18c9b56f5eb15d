// The main window: its children and their layout, the status bar, what the
// work area and the palette ask of it, and closing.
#include "main_window/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <cstdio>

#include "canvas/canvas_geometry.h"
#include "canvas/editor_context.h"
#include "canvas/work_area.h"
#include "common/command_ids.h"
#include "common/window_colour.h"
#include "dialogs/clock_page.h"
#include "dialogs/report_page.h"
#include "file_dialogs.h"
#include "file_messages.h"
#include "main_window/information_area.h"
#include "main_window/link_host.h"
#include "main_window/main_window_layout.h"
#include "notifier.h"
#include "nuvo_addr_generator.h"
#include "print/print_chart.h"

Q_LOGGING_CATEGORY(lcLink, "qen.link", QtWarningMsg)

namespace {

constexpr const char* kCloseQuestion = "未保存のデータがあります。終了しますか。";
constexpr const char* kNewDocumentDone = "ファイルを新規作成しました。";
constexpr int kPaneWidth = 200;

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
    background.setColor(QPalette::Window, QColor(kWindowBackground));
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
    workArea_->SetNeutralReport([this] { link_->SendNeutralReport(); });
    connect(workArea_->ClockPage(), &CDlgSetting::TransferRequested, this,
            [this] { OnCommand(CommandId::Transfer); });
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
            this, [this] { OnCommand(CommandId::Redetect); }, Qt::QueuedConnection);
    });
    qApp->installEventFilter(this);
    StartLink();
    UpdateCounts();
}

CQenDlg::~CQenDlg() {
    // Plug events reach this window from the watch's own thread: the watch
    // stops before anything of the window goes.
    usb_.UnregisterDeviceNotifications();
    qApp->removeEventFilter(this);
    state_.onTitleRefresh = nullptr;
    // The worker reports to this window: it goes before the widgets do.
    link_.reset();
}

// The measurement tool: a hidden window of its own, made before the other children.
void CQenDlg::CreateMeasurementTool() {
    measurementDialogs_ = std::make_unique<MeasurementDialogs>(dialogs_);
    measurement_ = new CDlgToolMeasurement({state_.temperature, state_.light}, resources_,
                                           *measurementDialogs_, alerts_, this);
    measurementDialogs_->SetParent(measurement_);
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

// 1024 x 768, or the settings file's size in fixed-size mode, centred on the
// screen's available area. The size (and the minimum) is the window's outer
// size, frame included, so that the status bar and the message area stay on a
// 768-pixel-high screen; the frame is taken off again once it is known.
void CQenDlg::ApplyWindowSize() {
    if (state_.fixedSize)
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const QSize outer = state_.fixedSize ? QSize(state_.windowWidth, state_.windowHeight)
                                         : QSize(kWindowWidth, kWindowHeight);
    const QSize inner = (outer - frame_).expandedTo(QSize(0, 0));
    if (state_.fixedSize) {
        setFixedSize(inner);
    } else {
        setMinimumSize(inner);
        resize(inner);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(CentredPosition(screen->availableGeometry(), outer));
}

// The frame arrives with the window manager, after the window is shown: the
// first time it is known, the window is sized and centred again for it.
void CQenDlg::FitToFrame() {
    if (!frame_.isEmpty() || !isVisible()) return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) return;
    frame_ = frame;
    ApplyWindowSize();
}

void CQenDlg::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitToFrame();
}

void CQenDlg::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FitToFrame();
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
    FitToFrame();
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

// The close box runs the same checks as the close command. A disabled
// window (the melody editor is open, a board step runs) is not closed: the
// melody editor would be left without it and a transfer cut off. The melody
// editor, when open, comes to the front instead.
void CQenDlg::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        if (tools_) tools_->ReturnToMelodyEditor();
        return;
    }
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
