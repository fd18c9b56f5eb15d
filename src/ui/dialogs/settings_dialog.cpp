// Picks and runs the settings dialog of a symbol class.
#include "dialogs/settings_dialog.h"

#include "dialogs/settings_dialog_lists.h"
#include "dialogs/settings_dialog_numbers.h"

void SymbolSettingsDialogs::ShowNoSettings() {
    CDlgFlowSetting_None dialog(UnsetInstruction(), parent_);
    dialog.exec();
}

bool SymbolSettingsDialogs::EditInstruction(SymbolClass cls, NuvoInstruction& instruction) {
    const std::unique_ptr<CDlgFlowSetting> dialog = MakeDialog(cls, instruction, parent_);
    if (!dialog) return false;
    if (dialog->exec() != QDialog::Accepted || !dialog->HasSettings()) return false;
    instruction = dialog->Instruction();
    return true;
}

std::unique_ptr<CDlgFlowSetting> SymbolSettingsDialogs::MakeDialog(
    SymbolClass cls, const NuvoInstruction& instruction, QWidget* parent) {
    switch (cls) {
        case SymbolClass::End:
            return std::make_unique<CDlgFlowSetting_End>(instruction, parent);
        case SymbolClass::Led:
            return std::make_unique<CDlgFlowSetting_Led>(instruction, parent);
        case SymbolClass::Relay:
            return std::make_unique<CDlgFlowSetting_Relay>(instruction, parent);
        case SymbolClass::Sound:
            return std::make_unique<CDlgFlowSetting_Sound>(instruction, parent);
        case SymbolClass::Wait:
            return std::make_unique<CDlgFlowSetting_Wait>(instruction, parent);
        case SymbolClass::Sensor:
            return std::make_unique<CDlgFlowSetting_Sensor>(instruction, parent);
        case SymbolClass::LoopBegin:
            return std::make_unique<CDlgFlowSetting_LoopBegin>(instruction, parent);
        case SymbolClass::CallSub:
            return std::make_unique<CDlgFlowSetting_CallSub>(instruction, parent);
        case SymbolClass::ClockAlarm:
            return std::make_unique<CDlgFlowSetting_ClockAlarmProc>(instruction, parent);
        case SymbolClass::TimeDecision:
            return std::make_unique<CDlgFlowSetting_TimeDecision>(instruction, parent);
        case SymbolClass::Start:
        case SymbolClass::SensorSwitch:
        case SymbolClass::Timer:
        case SymbolClass::TimerReset:
        case SymbolClass::LoopEnd:
        case SymbolClass::Parallel:
            return std::make_unique<CDlgFlowSetting_None>(instruction, parent);
        case SymbolClass::Line:
            return nullptr;
    }
    return nullptr;
}
