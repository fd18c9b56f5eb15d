#include "melody/melody_editor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>

#include "common/help_pages.h"
#include "common/window_colour.h"
#include "melody/melody_dialogs.h"
#include "melody_image.h"
#include "melody_timing.h"

namespace {

constexpr std::string_view kNewFileTitle = "新規メロディファイル";
constexpr std::string_view kFull = "貼り付けできません(使用可能な音符・休符は100個です)";
constexpr std::string_view kCloseQuestion = "未保存のデータがあります。終了しますか。";
constexpr int kPlacingMargin = 10;
// A symbol being placed snaps to a column of the staff strip and to a staff
// step, taking the next one once the pointer is past these many pixels.
constexpr int kColumnWidth = 16;
constexpr int kColumnSnapAfter = 7;
constexpr int kStaffSnapAfter = 1;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A value brought to a multiple of step: up when the remainder passes threshold.
int Snap(int value, int step, int threshold) {
    const int remainder = value % step;
    return value - remainder + (remainder > threshold ? step : 0);
}

}  // namespace

// The client area: paints the palette and the staff and takes the mouse.
class CDlgToolMelody::StaffCanvas : public QWidget {
public:
    StaffCanvas(CDlgToolMelody& editor, QWidget* parent) : QWidget(parent), editor_(editor) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        editor_.Paint(painter);
    }
    void mousePressEvent(QMouseEvent* event) override {
        editor_.Press(event->position().toPoint(), event->button());
    }
    void mouseMoveEvent(QMouseEvent* event) override { editor_.Move(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        editor_.Release(event->position().toPoint(), event->button());
    }

private:
    CDlgToolMelody& editor_;
};

CDlgToolMelody::CDlgToolMelody(MelodyEditorServices services, QWidget* parent)
    : QMainWindow(parent),
      host_(services.host),
      dialogs_(services.dialogs),
      smallFont_(services.smallFont) {
    player_ = std::make_unique<CShortMidiPlayer>(services.midi, services.timer, [this] {
        // The end notice comes from the playback thread; the stop is done here.
        QMetaObject::invokeMethod(
            this, [this] { player_->Stop(); }, Qt::QueuedConnection);
    });
    player_->Open();

    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(kWindowBackground));
    setPalette(background);
    canvas_ = new StaffCanvas(*this, this);
    canvas_->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(canvas_);
    CreateMenus();
    CreateControls();
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);
    Reset();
    adjustSize();
    setFixedSize(sizeHint());
}

CDlgToolMelody::~CDlgToolMelody() = default;

void CDlgToolMelody::CreateMenus() {
    struct Item {
        int id;
        const char* text;
    };
    const auto addMenu = [this](const char* title, std::initializer_list<Item> items) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        connect(menu, &QMenu::aboutToShow, this, &CDlgToolMelody::UpdateMenuStates);
        for (const Item& item : items) {
            QString text = QString::fromUtf8(item.text);
            QAction* action = menu->addAction(text.section(QLatin1Char('\t'), 0, 0));
            if (text.contains(QLatin1Char('\t')))
                action->setShortcut(QKeySequence(text.section(QLatin1Char('\t'), 1)));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            actions_[id] = action;
        }
        return menu;
    };
    QMenu* file = addMenu("ファイル(&F)", {{MelodyMenuId::New, "新規作成(&N)"},
                                           {MelodyMenuId::Open, "開く(&O)..."},
                                           {MelodyMenuId::Save, "上書き保存(&S)"},
                                           {MelodyMenuId::SaveAs, "名前を付けて保存(&A)..."}});
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("終了"));
    connect(close, &QAction::triggered, this, [this] { OnCommand(MelodyMenuId::Close); });
    actions_[MelodyMenuId::Close] = close;
    addMenu("演奏(&P)", {{MelodyMenuId::Play, "再生"}, {MelodyMenuId::Stop, "停止"}});
    addMenu("ボード(&B)", {{MelodyMenuId::Transfer, "転送\tF8"}});
    addMenu("ヘルプ(&H)", {{MelodyMenuId::Help, "ヘルプ(&H)..."}});
}

void CDlgToolMelody::CreateControls() {
    const auto label = [this](const char* text, int x, int y) {
        auto* l = new QLabel(QString::fromUtf8(text), canvas_);
        l->move(x, y);
    };
    const auto check = [this](const char* text, int x, int y) {
        auto* box = new QCheckBox(QString::fromUtf8(text), canvas_);
        box->move(x, y);
        return box;
    };
    label("曲名", 16, 14);
    title_ = new QLineEdit(canvas_);
    title_->setGeometry(56, 10, 240, 24);
    title_->setMaxLength(16);
    connect(title_, &QLineEdit::textEdited, this, &CDlgToolMelody::SetModified);
    repeat_ = check("くり返す", 320, 12);
    connect(repeat_, &QCheckBox::clicked, this, &CDlgToolMelody::SetModified);

    label("テンポ", 16, 62);
    label("=", 88, 62);
    tempo_ = new QLineEdit(canvas_);
    tempo_->setGeometry(104, 58, 48, 24);
    tempo_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), tempo_));
    connect(tempo_, &QLineEdit::textEdited, this, &CDlgToolMelody::SetModified);
    label("(40 ～ 200)", 160, 62);

    dotted_ = check("付点", 360, 106);
    flat_ = check("♭", 430, 106);
    sharp_ = check("♯", 490, 106);

    scroll_ = new QScrollBar(Qt::Horizontal, canvas_);
    scroll_->setGeometry(kStrip.left(), kStrip.bottom() + 1, kStrip.width(), 16);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(kScrollPage);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int unit) {
        scrollOffset_ = unit * kScrollUnit;
        canvas_->update();
    });
}

void CDlgToolMelody::OpenEditor() {
    open_ = true;
    UpdateMenuStates();
    host_.SetMainWindowEnabled(false);
    show();
    activateWindow();
}

void CDlgToolMelody::UpdateMenuStates() {
    actions_[MelodyMenuId::Transfer]->setEnabled(host_.BoardOpen());
}

void CDlgToolMelody::OnCommand(int id) {
    switch (id) {
        case MelodyMenuId::New:
            NewMelody();
            break;
        case MelodyMenuId::Open:
            OpenMelody();
            break;
        case MelodyMenuId::Save:
            SaveMelody(false);
            break;
        case MelodyMenuId::SaveAs:
            SaveMelody(true);
            break;
        case MelodyMenuId::Close:
            CloseEditor();
            break;
        case MelodyMenuId::Play:
            Play();
            break;
        case MelodyMenuId::Stop:
            player_->Stop();
            break;
        case MelodyMenuId::Transfer:
            Transfer();
            break;
        case MelodyMenuId::Help:
            ShowHelp();
            break;
        default:
            break;
    }
}

void CDlgToolMelody::Reset() {
    melody_.Reset();
    player_->Stop();
    player_->SetPlayList({});
    placing_ = false;
    selectedType_ = TypeOf(MelodySymbol::QuarterNote);
    for (QCheckBox* box : {dotted_, flat_, sharp_, repeat_}) box->setChecked(false);
    title_->clear();
    tempo_->setText(QString::number(kDefaultTempo));
    newFile_ = true;
    modified_ = false;
    folder_.clear();
    fileName_.clear();
    UpdateStatus();
    UpdateTitle();
    scroll_->setValue(0);
    scrollOffset_ = 0;
    UpdateScrollBar(false);
    canvas_->update();
}

void CDlgToolMelody::UpdateTitle() {
    QString title = QString::fromUtf8(kMelodyCaption);
    title += newFile_ ? FromUtf8(kNewFileTitle) : FromUtf8(folder_ + fileName_);
    if (modified_) title += QLatin1Char('*');
    setWindowTitle(title);
}

QString CDlgToolMelody::StatusText() const { return status_->text(); }

void CDlgToolMelody::UpdateStatus() {
    status_->setText(
        QStringLiteral("音符・休符　　%1/100").arg(melody_.CountNotes(), 3, 10, QLatin1Char('0')));
}

void CDlgToolMelody::UpdateScrollBar(bool toEnd) {
    const int units = std::max(melody_.TotalWidth() + 32, kStrip.width()) / kScrollUnit;
    // The last position still shows a full page, as a page-sized thumb does.
    scroll_->setRange(0, units - kScrollPage + 1);
    if (toEnd) scroll_->setValue(scroll_->maximum());
    scrollOffset_ = scroll_->value() * kScrollUnit;
}

void CDlgToolMelody::SetModified() {
    modified_ = true;
    UpdateTitle();
}

void CDlgToolMelody::Press(const QPoint& point, Qt::MouseButton button) {
    const QRect palette(kPaletteOrigin, QSize(kPaletteCell * 10, kPaletteCell));
    if (button == Qt::LeftButton && palette.contains(point)) {
        selectedType_ = (point.x() - palette.left()) / kPaletteCell + 1;
        canvas_->update();
        return;
    }
    if (!kStrip.contains(point)) return;
    if (button == Qt::LeftButton) {
        if (melody_.CountNotes() >= kMaxMelodyNotes) {
            dialogs_.ShowMessage(kFull);
            return;
        }
        placing_ = true;
        Move(point);
    } else if (button == Qt::RightButton && !placing_) {
        const QPoint at = point - kStrip.topLeft();
        if (!melody_.RemoveAt(at.x() + scrollOffset_, at.y())) return;
        melody_.Relayout();
        UpdateStatus();
        SetModified();
        UpdateScrollBar(false);
        canvas_->update();
    }
}

void CDlgToolMelody::Move(const QPoint& point) {
    if (!placing_) return;
    // The pointer is held inside the strip, 10 pixels clear of its top and bottom.
    const int x = std::clamp(point.x() - kStrip.left(), 0, kStrip.width() - 1);
    const int y =
        std::clamp(point.y() - kStrip.top(), kPlacingMargin, kStrip.height() - kPlacingMargin - 1);
    preview_ =
        QPoint(Snap(x, kColumnWidth, kColumnSnapAfter), Snap(y, kStaffStep, kStaffSnapAfter));
    canvas_->update();
}

void CDlgToolMelody::Release(const QPoint& point, Qt::MouseButton button) {
    if (!placing_ || button != Qt::LeftButton) return;
    Move(point);
    placing_ = false;
    const MelodyNote note{selectedType_,
                          dotted_->isChecked() ? 1 : 0,
                          flat_->isChecked() ? 1 : 0,
                          sharp_->isChecked() ? 1 : 0,
                          preview_.x() + scrollOffset_,
                          preview_.y()};
    const InsertOutcome outcome = melody_.Insert(note);
    if (outcome != InsertOutcome::Refused) {
        melody_.Relayout();
        UpdateStatus();
        SetModified();
        UpdateScrollBar(outcome == InsertOutcome::Appended &&
                        melody_.TotalWidth() > kStrip.width());
    }
    canvas_->update();
}

PlayList CDlgToolMelody::MakePlayList() {
    player_->Stop();
    PlayList list = BuildPlayList(melody_, tempo_->text().toInt(), repeat_->isChecked());
    if (list.tempo != tempo_->text().toInt()) tempo_->setText(QString::number(list.tempo));
    return list;
}

void CDlgToolMelody::Play() {
    player_->SetPlayList(MakePlayList());
    player_->Start();
    dialogs_.RunPlaybackBox();
    player_->Stop();
}

void CDlgToolMelody::Transfer() {
    if (!host_.BoardOpen()) return;
    const PlayList list = MakePlayList();
    BuildMelodyImage(image_, list.events, title_->text().toStdString(), list.repeat);
    host_.RequestMelodyTransfer(image_.Image());
}

bool CDlgToolMelody::CloseEditor() {
    if (modified_ && !dialogs_.AskYesNo(kCloseQuestion)) return false;
    Reset();
    image_.Reset();
    host_.SetMainWindowEnabled(true);
    hide();
    open_ = false;
    return true;
}

void CDlgToolMelody::closeEvent(QCloseEvent* event) {
    // The close box hides the editor; the window lives as long as the main window.
    event->ignore();
    CloseEditor();
}

void CDlgToolMelody::keyPressEvent(QKeyEvent* event) {
    // Escape closes as the close command does; Enter does nothing.
    if (event->key() == Qt::Key_Escape) {
        OnCommand(MelodyMenuId::Close);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QMainWindow::keyPressEvent(event);
}

void CDlgToolMelody::ShowHelp() {
    ShowHelpPage(this, QStringLiteral("02/03.html"), QString::fromUtf8(kMelodyCaption));
}
