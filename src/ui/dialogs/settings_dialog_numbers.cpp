// The settings dialogs with number fields. Limits and byte layouts are the
// engine's instruction parameters; the fields only read and show numbers.
#include "dialogs/settings_dialog_numbers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "instruction_params.h"
#include "opcodes.h"

namespace {

constexpr int kNumberWidth = 99;  // wait and loop fields
constexpr int kTimeWidth = 28;    // hour and minute fields
constexpr int kValueWidth = 28;   // sensor value fields

QStringList ComparisonItems() {
    QStringList items;
    for (const Comparison& comparison : kComparisons) items << FromUtf8(comparison.symbol);
    return items;
}

QLabel* Text(QWidget* parent, const char* text) {
    return new QLabel(QString::fromUtf8(text), parent);
}

// One row of controls, packed to the left as in the template.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch();
    return row;
}

}  // namespace

CDlgFlowSetting_Wait::CDlgFlowSetting_Wait(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent), seconds_(MakeEdit(this, "edit1012", false)) {
    seconds_->setText(FromUtf8(FormatWaitSeconds(ReadWaitTenths(instruction_))));
    seconds_->setFixedWidth(DluX(kNumberWidth));
    SetContent(Row({Text(this, "時間"), seconds_, Text(this, "秒")}));
}

void CDlgFlowSetting_Wait::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteWaitSeconds(instruction, ReadDecimal(seconds_->text()));
}

CDlgFlowSetting_LoopBegin::CDlgFlowSetting_LoopBegin(const NuvoInstruction& instruction,
                                                     QWidget* parent)
    : CDlgFlowSetting(instruction, parent), count_(MakeEdit(this, "edit1012", true)) {
    count_->setText(QString::number(ReadLoopCount(instruction_)));
    count_->setFixedWidth(DluX(kNumberWidth));
    SetContent(Row({Text(this, "くり返し"), count_, Text(this, "回")}));
}

void CDlgFlowSetting_LoopBegin::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteLoopCount(instruction, ReadDigits(count_->text()));
}

CDlgFlowSetting_ClockAlarmProc::CDlgFlowSetting_ClockAlarmProc(const NuvoInstruction& instruction,
                                                               QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      hour_(MakeEdit(this, "edit1012", true)),
      minute_(MakeEdit(this, "edit1013", true)) {
    const ClockTime time = ReadClockAlarm(instruction_);
    hour_->setText(QString::number(time.hour));
    minute_->setText(QString::number(time.minute));
    hour_->setFixedWidth(DluX(kTimeWidth));
    minute_->setFixedWidth(DluX(kTimeWidth));
    SetContent(
        Row({Text(this, "時計アラーム"), hour_, Text(this, "時"), minute_, Text(this, "分")}));
}

void CDlgFlowSetting_ClockAlarmProc::WriteControls(NuvoInstruction& instruction) const {
    instruction =
        WriteClockAlarm(instruction, {ReadDigits(hour_->text()), ReadDigits(minute_->text())});
}

CDlgFlowSetting_TimeDecision::CDlgFlowSetting_TimeDecision(const NuvoInstruction& instruction,
                                                           QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      comparison_(MakeList(this, "list1009", ComparisonItems())),
      hour_(MakeEdit(this, "edit1012", true)),
      minute_(MakeEdit(this, "edit1013", true)) {
    const TimeDecisionParams params = ReadTimeDecision(instruction_);
    comparison_->setCurrentIndex(params.comparison);
    hour_->setText(QString::number(params.time.hour));
    minute_->setText(QString::number(params.time.minute));
    hour_->setFixedWidth(DluX(kTimeWidth));
    minute_->setFixedWidth(DluX(kTimeWidth));
    SetContent(
        Row({Text(this, "時刻"), comparison_, hour_, Text(this, "時"), minute_, Text(this, "分")}));
}

void CDlgFlowSetting_TimeDecision::WriteControls(NuvoInstruction& instruction) const {
    instruction = WriteTimeDecision(
        instruction,
        {comparison_->currentIndex(), {ReadDigits(hour_->text()), ReadDigits(minute_->text())}});
}

CDlgFlowSetting_Sensor::CDlgFlowSetting_Sensor(const NuvoInstruction& instruction, QWidget* parent)
    : CDlgFlowSetting(instruction, parent),
      oneValue_(new QRadioButton(QStringLiteral("１つの数値と比較する"), this)),
      twoValues_(new QRadioButton(QStringLiteral("２つの数値と比較する"), this)),
      secondComparison_(MakeList(this, "list1011", ComparisonItems())),
      sensor_(MakeList(this, "list1009", kSensors)),
      firstComparison_(MakeList(this, "list1010", ComparisonItems())),
      secondValue_(MakeEdit(this, "edit1013", true)),
      firstValue_(MakeEdit(this, "edit1012", true)) {
    oneValue_->setObjectName(QStringLiteral("radio1014"));
    twoValues_->setObjectName(QStringLiteral("radio1015"));
    const SensorParams params = ReadSensor(instruction_);
    sensor_->setCurrentIndex(params.sensor);
    firstComparison_->setCurrentIndex(params.firstComparison);
    secondComparison_->setCurrentIndex(params.secondComparison);
    firstValue_->setText(QString::number(params.firstValue));
    secondValue_->setText(QString::number(params.secondValue));
    if (params.mode == SensorMode::OneValue) {
        oneValue_->setChecked(true);
        EnableSecondComparison(false);
    } else if (params.mode == SensorMode::TwoValues) {
        twoValues_->setChecked(true);
    }
    connect(oneValue_, &QRadioButton::clicked, this, [this] { EnableSecondComparison(false); });
    connect(twoValues_, &QRadioButton::clicked, this, [this] { EnableSecondComparison(true); });

    firstValue_->setFixedWidth(DluX(kValueWidth));
    secondValue_->setFixedWidth(DluX(kValueWidth));
    auto* content = new QVBoxLayout;
    content->addWidget(oneValue_);
    content->addWidget(twoValues_);
    content->addLayout(
        Row({secondValue_, secondComparison_, sensor_, firstComparison_, firstValue_}));
    SetContent(content, 10);
}

void CDlgFlowSetting_Sensor::EnableSecondComparison(bool on) {
    secondComparison_->setEnabled(on);
    secondValue_->setEnabled(on);
}

void CDlgFlowSetting_Sensor::WriteControls(NuvoInstruction& instruction) const {
    SensorParams params;
    params.sensor = sensor_->currentIndex();
    params.mode = oneValue_->isChecked() ? SensorMode::OneValue : SensorMode::TwoValues;
    params.firstComparison = firstComparison_->currentIndex();
    params.secondComparison = secondComparison_->currentIndex();
    params.firstValue = ReadDigits(firstValue_->text());
    params.secondValue = ReadDigits(secondValue_->text());
    instruction = WriteSensor(instruction, params);
}
