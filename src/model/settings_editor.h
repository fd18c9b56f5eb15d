// The symbol settings dialogs as the model sees them; the user interface
// implements this, tests fake it.
#pragma once

#include "nuvo_instruction.h"
#include "symbol_kind.h"

class ISymbolSettingsEditor {
public:
    virtual ~ISymbolSettingsEditor() = default;
    // The dialog for symbols that have nothing to set (or whose record is invalid).
    virtual void ShowNoSettings() = 0;
    // Shows the dialog of the class over a copy of the instruction; true on OK,
    // with the copy edited.
    virtual bool EditInstruction(SymbolClass cls, NuvoInstruction& instruction) = 0;
};
