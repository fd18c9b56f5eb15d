// Settings dialogs whose controls are drop-down lists: end, LED, relay,
// sound and subroutine call, and the dialog of symbols without settings.
#pragma once

#include "dialogs/settings_dialog_base.h"

class QCheckBox;
class QComboBox;

class CDlgFlowSetting_None : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_None(const NuvoInstruction& instruction, QWidget* parent);
    bool HasSettings() const override { return false; }

protected:
    void WriteControls(NuvoInstruction&) const override {}
};

class CDlgFlowSetting_End : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_End(const NuvoInstruction& instruction, QWidget* parent);
    QComboBox* ActionList() const { return action_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QComboBox* action_;
};

// The fade check boxes stay hidden: they carry the fade bits through an edit.
class CDlgFlowSetting_Led : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_Led(const NuvoInstruction& instruction, QWidget* parent);
    QComboBox* ColourList() const { return colour_; }
    QCheckBox* FadeInBox() const { return fadeIn_; }
    QCheckBox* FadeOutBox() const { return fadeOut_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QComboBox* colour_;
    QCheckBox* fadeIn_;
    QCheckBox* fadeOut_;
};

class CDlgFlowSetting_Relay : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_Relay(const NuvoInstruction& instruction, QWidget* parent);
    QComboBox* OutputList() const { return output_; }
    QComboBox* ActionList() const { return action_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QComboBox* output_;
    QComboBox* action_;
};

class CDlgFlowSetting_Sound : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_Sound(const NuvoInstruction& instruction, QWidget* parent);
    QComboBox* SoundList() const { return sound_; }
    QComboBox* VolumeList() const { return volume_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QComboBox* sound_;
    QComboBox* volume_;
};

class CDlgFlowSetting_CallSub : public CDlgFlowSetting {
    Q_OBJECT

public:
    CDlgFlowSetting_CallSub(const NuvoInstruction& instruction, QWidget* parent);
    QComboBox* TargetList() const { return target_; }

protected:
    void WriteControls(NuvoInstruction& instruction) const override;

private:
    QComboBox* target_;
};
