// The symbol settings dialogs as the chart store reaches them: one modal
// dialog per symbol class over a copy of the symbol's instruction.
#pragma once

#include <memory>

#include "dialogs/settings_dialog_base.h"
#include "settings_editor.h"
#include "symbol_kind.h"

class QWidget;

class SymbolSettingsDialogs final : public ISymbolSettingsEditor {
public:
    // Dialogs open centred over parent (may be null).
    explicit SymbolSettingsDialogs(QWidget* parent) : parent_(parent) {}

    void ShowNoSettings() override;
    // Runs the class's dialog; on OK the instruction receives the edited copy.
    // Classes without settings show the no-settings dialog and answer false.
    bool EditInstruction(SymbolClass cls, NuvoInstruction& instruction) override;

    // The dialog of a class over a copy of the instruction: the no-settings
    // dialog for classes without settings, null for lines.
    static std::unique_ptr<CDlgFlowSetting> MakeDialog(SymbolClass cls,
                                                       const NuvoInstruction& instruction,
                                                       QWidget* parent);

private:
    QWidget* parent_;
};
