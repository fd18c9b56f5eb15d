// What the work area asks of the window around it (the main window).
#pragma once

#include <string_view>

class ISymbolSettingsEditor;

class IWorkAreaHost {
public:
    virtual ~IWorkAreaHost() = default;

    // Status bar counts and tool bar state, after edits.
    virtual void UpdateCounts() = 0;
    // The cell under the pointer (sheet pixels, snapped to the nearest cell).
    virtual void UpdateCursorCell(int x, int y) = 0;
    // One line in the message area.
    virtual void WriteMessage(std::string_view text) = 0;
    // The dialogs that edit a symbol's settings.
    virtual ISymbolSettingsEditor& SettingsEditor() = 0;

    // A page tab was chosen (0 flowchart, 1 clock, 2 report): show the
    // palette on the flowchart page only and the tool bar buttons of the page.
    virtual void PageChanged(int page) = 0;
    // The edit and view menus are usable on the flowchart page only.
    virtual void SetEditMenusEnabled(bool enabled) = 0;

    // Document commands, which the work area receives with the others.
    virtual void NewDocument() = 0;
    virtual void OpenDocument() = 0;
    virtual void SaveDocument() = 0;
    virtual void SaveDocumentAs() = 0;
    virtual void PrintChart() = 0;
};
