// The tool bar: image buttons, separators, the transfer lists and the rules
// that enable and show the buttons.
#include "main_window/tool_bar.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <array>

#include "common/command_ids.h"
#include "common/window_colour.h"
#include "notifier.h"

namespace {

struct ButtonSpec {
    int control;
    int left;
    int command;
    const char* image;
    const char* tooltip;
};

constexpr std::array<ButtonSpec, 13> kButtons{{
    {CDlgToolBar::kNew, 8, CommandId::New, "new", "新規作成"},
    {CDlgToolBar::kOpen, 40, CommandId::Open, "open", "開く"},
    {CDlgToolBar::kSave, 72, CommandId::Save, "save", "上書き保存"},
    {CDlgToolBar::kCut, 112, CommandId::Cut, "cut", "切り取り"},
    {CDlgToolBar::kCopy, 144, CommandId::Copy, "copy", "コピー"},
    {CDlgToolBar::kPaste, 176, CommandId::Paste, "paste", "貼り付け"},
    {CDlgToolBar::kUndo, 208, CommandId::Undo, "undo", "元にもどす"},
    {CDlgToolBar::kNormalView, 248, CommandId::NormalView, "normal_view", "通常表示"},
    {CDlgToolBar::kWholeView, 280, CommandId::WholeView, "whole_view", "全体表示"},
    {CDlgToolBar::kTransfer, 320, CommandId::Transfer, "transfer", "転送"},
    {CDlgToolBar::kRun, 352, CommandId::Run, "run", "実行"},
    {CDlgToolBar::kStopReset, 384, CommandId::StopReset, "stop", "停止 / リセット"},
    {CDlgToolBar::kDetach, 416, CommandId::Detach, "detach", "取り外す"},
}};

// Separators 1018, 1025 and 1029 stand in the gaps after save, undo and whole view.
constexpr std::array<int, 3> kSeparatorLefts{103, 239, 311};

constexpr std::uint8_t kModeProg = 0xA0;

// Buttons that only act on the flowchart page; transfer also acts on the clock page.
constexpr std::array<int, 8> kFlowchartOnly{
    CDlgToolBar::kCut,        CDlgToolBar::kCopy,      CDlgToolBar::kPaste, CDlgToolBar::kUndo,
    CDlgToolBar::kNormalView, CDlgToolBar::kWholeView, CDlgToolBar::kRun,   CDlgToolBar::kDetach};

}  // namespace

GUIButton::GUIButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setFixedSize(kSize, kSize);
    setAttribute(Qt::WA_Hover);
}

bool GUIButton::LoadImage(const QString& path) {
    image_ = QImage(path);
    update();
    return !image_.isNull();
}

GUIButton::State GUIButton::CurrentState() const {
    if (!isEnabled()) return State::Disabled;
    if (isDown()) return State::Pressed;
    if (hover_) return State::Hover;
    if (hasFocus()) return State::Focused;
    return State::Normal;
}

void GUIButton::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    const int row = static_cast<int>(CurrentState());
    painter.drawImage(QPoint(0, 0), image_, QRect(0, row * kSize, kSize, kSize));
}

void GUIButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void GUIButton::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

// Keys go to the tool bar, which swallows them.
void GUIButton::keyPressEvent(QKeyEvent* event) { event->ignore(); }
void GUIButton::keyReleaseEvent(QKeyEvent* event) { event->ignore(); }

CDlgToolBar::CDlgToolBar(IToolBarState& state, INotifier& notifier, QWidget* parent)
    : QWidget(parent),
      state_(state),
      storageList_(new QComboBox(this)),
      afterTransferList_(new QComboBox(this)) {
    setGeometry(0, 0, 1024, kHeight);
    for (const auto& row : kButtons) {
        auto* button = new GUIButton(this);
        button->setObjectName(QString::fromUtf8(row.image));
        button->move(row.left, 0);
        button->setToolTip(QString::fromUtf8(row.tooltip));
        if (!button->LoadImage(QStringLiteral(":/images/buttons/%1.png").arg(row.image)))
            notifier.ShowMessage("ボタン画像の読み込み失敗");
        const int command = row.command;
        connect(button, &QAbstractButton::clicked, this,
                [this, command] { emit commandRequested(command); });
        buttons_[row.control] = button;
    }
    for (int left : kSeparatorLefts) {
        auto* separator = new QFrame(this);
        separator->setFrameShape(QFrame::VLine);
        separator->setFrameShadow(QFrame::Sunken);
        separator->setGeometry(left, 2, 2, kHeight - 4);
    }
    storageList_->setObjectName(QStringLiteral("storageList"));
    storageList_->addItems({QStringLiteral("保存１"), QStringLiteral("保存２")});
    storageList_->setGeometry(540, 2, 84, 20);
    afterTransferList_->setObjectName(QStringLiteral("afterTransferList"));
    afterTransferList_->addItems(
        {QStringLiteral("転送後取り外さない"), QStringLiteral("転送後取り外す")});
    afterTransferList_->setGeometry(632, 2, 160, 20);
    for (QComboBox* list : {storageList_, afterTransferList_}) {
        list->setCurrentIndex(0);
        list->setFocusPolicy(Qt::NoFocus);
    }
    for (int control : {kTransfer, kRun, kStopReset, kDetach}) Enable(control, false);
    UpdateButtons(0xC0, 0x00);
}

void CDlgToolBar::Layout(int clientWidth) { resize(clientWidth, kHeight); }

GUIButton* CDlgToolBar::Button(int control) const {
    const auto found = buttons_.find(control);
    return found == buttons_.end() ? nullptr : found->second;
}

int CDlgToolBar::StorageIndex() const { return storageList_->currentIndex(); }
int CDlgToolBar::AfterTransferIndex() const { return afterTransferList_->currentIndex(); }

void CDlgToolBar::Enable(int control, bool enabled) {
    if (GUIButton* button = Button(control)) button->setEnabled(enabled);
}

void CDlgToolBar::UpdateButtons(std::uint8_t mode, std::uint8_t programState) {
    Enable(kPaste, !state_.ClipboardEmpty());
    Enable(kUndo, !state_.HistoryEmpty());
    Enable(kNormalView, state_.WholeView());
    Enable(kWholeView, !state_.WholeView());
    if (!state_.BoardOpen()) {
        for (int control : {kTransfer, kRun, kStopReset, kDetach}) Enable(control, false);
        return;
    }
    if (mode == kModeProg) {
        if (programState == 0x01 || programState == 0x80) {
            Enable(kTransfer, false);
            Enable(kRun, false);
            Enable(kStopReset, true);
        } else if (programState == 0x60) {
            Enable(kTransfer, true);
            Enable(kRun, true);
            Enable(kStopReset, true);
        }
    } else {
        Enable(kTransfer, true);
        Enable(kRun, false);
        Enable(kStopReset, false);
    }
    Enable(kDetach, true);
}

void CDlgToolBar::ShowForPage(int page) {
    for (int control : kFlowchartOnly)
        if (GUIButton* button = Button(control)) button->setVisible(page == 0);
    if (GUIButton* transfer = Button(kTransfer)) transfer->setVisible(page == 0 || page == 1);
}

void CDlgToolBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kWindowBackground));
}

void CDlgToolBar::keyPressEvent(QKeyEvent* event) { event->accept(); }
