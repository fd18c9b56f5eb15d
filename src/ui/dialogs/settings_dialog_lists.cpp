// The list-based settings dialogs. The byte rules live in the engine's
// instruction parameters; these classes only map them onto controls.
#include "dialogs/settings_dialog_lists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "instruction_params.h"

namespace {

// The template's lists start 44 dialog units in, their labels at the left margin.
constexpr int kLabelColumn = 37;
constexpr int kListWidth = 111;

// Rows of "label, list" aligned as in the templates; a null label leaves the column empty.
class ListRows {
public:
    ListRows(QWidget* dialog, int labelWidth, int listWidth)
        : dialog_(dialog), grid_(new QGridLayout), listWidth_(listWidth) {
        grid_->setColumnMinimumWidth(0, labelWidth);
        grid_->setColumnStretch(2, 1);
    }
    void Add(const char* label, QWidget* control) {
        const int row = grid_->rowCount();
        if (label) grid_->addWidget(new QLabel(QString::fromUtf8(label), dialog_), row, 0);
        control->setMinimumWidth(listWidth_);
        grid_->addWidget(control, row, 1);
    }
    QGridLayout* Layout() const { return grid_; }

private:
    QWidget* dialog_;
    QGridLayout* grid_;
    int listWidth_;
};

}  // namespace

CDlgFlowSetting_None::CDlgFlowSetting_None(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent) {
    auto* text = new QLabel(QStringLiteral("設定事項はありません"), this);
    text->setObjectName(QStringLiteral("text"));
    auto* row = new QHBoxLayout;
    row->addWidget(text, 0, Qt::AlignCenter);
    SetContent(row);
}

CDlgFlowSetting_End::CDlgFlowSetting_End(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent), action_(MakeList(this, "list1009", kEndActions)) {
    action_->setCurrentIndex(ReadEndAction(instruction_));
    ListRows rows(this, DluX(kLabelColumn), DluX(kListWidth));
    rows.Add(nullptr, action_);
    SetContent(rows.Layout());
}

void CDlgFlowSetting_End::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteEndAction(instruction, action_->currentIndex());
}

CDlgFlowSetting_Led::CDlgFlowSetting_Led(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      colour_(MakeList(this, "list1009", kLedColours)),
      fadeIn_(new QCheckBox(QStringLiteral("フェードイン"), this)),
      fadeOut_(new QCheckBox(QStringLiteral("フェードアウト"), this)) {
    fadeIn_->setObjectName(QStringLiteral("check1010"));
    fadeOut_->setObjectName(QStringLiteral("check1011"));
    const LedParams params = ReadLed(instruction_);
    colour_->setCurrentIndex(params.colour);
    fadeIn_->setChecked(params.fadeIn);
    fadeOut_->setChecked(params.fadeOut);
    fadeIn_->hide();
    fadeOut_->hide();
    ListRows rows(this, DluX(kLabelColumn), DluX(kListWidth));
    rows.Add("LED点灯", colour_);
    SetContent(rows.Layout());
}

void CDlgFlowSetting_Led::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteLed(instruction,
                           {colour_->currentIndex(), fadeIn_->isChecked(), fadeOut_->isChecked()});
}

CDlgFlowSetting_Relay::CDlgFlowSetting_Relay(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      output_(MakeList(this, "list1009", kRelayOutputs)),
      action_(MakeList(this, "list1010", kRelayActions)) {
    const RelayParams params = ReadRelay(instruction_);
    output_->setCurrentIndex(params.output);
    action_->setCurrentIndex(params.action);
    ListRows rows(this, DluX(kLabelColumn), DluX(kListWidth));
    rows.Add("出力番号", output_);
    rows.Add("動作", action_);
    SetContent(rows.Layout());
}

void CDlgFlowSetting_Relay::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteRelay(instruction, {output_->currentIndex(), action_->currentIndex()});
}

CDlgFlowSetting_Sound::CDlgFlowSetting_Sound(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      sound_(MakeList(this, "list1009", kSounds)),
      volume_(MakeList(this, "list1010", kVolumes)) {
    const SoundParams params = ReadSound(instruction_);
    sound_->setCurrentIndex(params.sound);
    volume_->setCurrentIndex(params.volume);
    ListRows rows(this, DluX(kLabelColumn), DluX(kListWidth));
    rows.Add("サウンド", sound_);
    rows.Add("音量", volume_);
    SetContent(rows.Layout());
}

void CDlgFlowSetting_Sound::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteSound(instruction, {sound_->currentIndex(), volume_->currentIndex()});
}

CDlgFlowSetting_CallSub::CDlgFlowSetting_CallSub(const NuvoInstruction& instruction,
                                                 QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      target_(
          MakeList(this, "list1009",
                   QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")})) {
    // Sub charts 1..3 sit at list positions 0..2; an unknown target shows no selection.
    target_->setCurrentIndex(ReadCallTarget(instruction_) - 1);
    ListRows rows(this, DluX(kLabelColumn), DluX(kListWidth));
    rows.Add("サブルーチン", target_);
    SetContent(rows.Layout());
}

void CDlgFlowSetting_CallSub::WriteControls(NuvoInstruction& instruction) const {
    const int index = target_->currentIndex();
    instruction = WriteCallTarget(instruction, index < 0 ? 0 : index + 1);
}
