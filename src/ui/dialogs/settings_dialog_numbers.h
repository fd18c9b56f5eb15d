// Settings dialogs with number fields: wait, loop begin, clock alarm, time
// decision and the measuring-sensor decision.
#pragma once

#include "dialogs/settings_dialog_base.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

class CDlgFlowSetting_Wait : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_Wait(const NuvoInstruction& instruction, QWidget* parent);
    QLineEdit* SecondsEdit() const { return seconds_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QLineEdit* seconds_;
};

class CDlgFlowSetting_LoopBegin : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_LoopBegin(const NuvoInstruction& instruction, QWidget* parent);
    QLineEdit* CountEdit() const { return count_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QLineEdit* count_;
};

class CDlgFlowSetting_ClockAlarmProc : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_ClockAlarmProc(const NuvoInstruction& instruction, QWidget* parent);
    QLineEdit* HourEdit() const { return hour_; }
    QLineEdit* MinuteEdit() const { return minute_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QLineEdit* hour_;
    QLineEdit* minute_;
};

class CDlgFlowSetting_TimeDecision : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_TimeDecision(const NuvoInstruction& instruction, QWidget* parent);
    QComboBox* ComparisonList() const { return comparison_; }
    QLineEdit* HourEdit() const { return hour_; }
    QLineEdit* MinuteEdit() const { return minute_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QComboBox* comparison_;
    QLineEdit* hour_;
    QLineEdit* minute_;
};

// The value row reads as a double inequality: second value, second
// comparison, sensor, first comparison, first value.
class CDlgFlowSetting_Sensor : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_Sensor(const NuvoInstruction& instruction, QWidget* parent);
    QRadioButton* OneValueButton() const { return oneValue_; }
    QRadioButton* TwoValuesButton() const { return twoValues_; }
    QComboBox* SensorList() const { return sensor_; }
    QComboBox* FirstComparisonList() const { return firstComparison_; }
    QComboBox* SecondComparisonList() const { return secondComparison_; }
    QLineEdit* FirstValueEdit() const { return firstValue_; }
    QLineEdit* SecondValueEdit() const { return secondValue_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    void EnableSecondComparison(bool on);

    QRadioButton* oneValue_;
    QRadioButton* twoValues_;
    QComboBox* secondComparison_;
    QComboBox* sensor_;
    QComboBox* firstComparison_;
    QLineEdit* secondValue_;
    QLineEdit* firstValue_;
};
