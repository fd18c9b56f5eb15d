// The editing state that the work area, the palette, the tool bar and the
// main window share, and the edits that record one undo step each.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart_store.h"
#include "history.h"

class ISymbolSettingsEditor;

enum class MouseMode { Idle = 0, Moving = 1, RubberBand = 2, LineDrawing = 3 };

class EditorState {
public:
    explicit EditorState(CFlowObjectManager& chartStore);
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    // Edits on the current chart. Each records one undo step when it changed
    // something, purges what the history can no longer bring back and marks
    // the document modified when it changed the charts.

    // The new symbol's uid, or 0 when no slot or uid was free.
    int PlaceSymbol(int kind, int x, int y);
    // Finishes the line in progress on the target's entry; answers the line's
    // uid or 0. The line-drawing mode ends either way, so a refused finish
    // also drops the line in progress.
    int FinishLineStep(int targetUid, int x, int y);
    // Records its step even when nothing was selected.
    void DeleteSelected();
    // Opens the symbol's settings; true when the user changed them.
    bool ChangeSettings(int uid, ISymbolSettingsEditor& editor);
    // Ends a drag begun with the store's RememberDragStart; true when it
    // recorded a move (lines the move broke are deleted in the same step).
    bool EndMove();
    // Makes another chart current (0..3) with an empty selection; false
    // when it already is or the number is not a chart.
    bool SwitchChart(int chart);
    // The pasted uids; empty when the paste was refused.
    std::vector<int> PasteHere(bool usePoint, int x, int y);
    // Deletes every object of a chart (a new document, before ClearHistory).
    void ClearChart(int chart);
    void Copy();
    // Copy, then DeleteSelected.
    void Cut();

    // Takes back the newest step; false when the history is empty.
    bool UndoLast();
    // Empties the history, destroying the objects only it kept.
    void ClearHistory();

    // Sets the modified mark and asks for the title, which shows it, to be refreshed.
    void SetModified(bool on);

    bool wholeView = false;
    MouseMode mouseMode = MouseMode::Idle;
    int scrollX = 0;  // in cells
    int scrollY = 0;
    int currentPage = 0;   // 0 flowchart, 1 clock, 2 report
    int currentChart = 0;  // 0 main, 1..3 sub charts
    CFlowObjectManager& store;
    bool fixedSize = false;
    int windowWidth = 1024;
    int windowHeight = 768;
    CHistorys history;
    bool isNew = true;
    bool modified = false;
    std::string filePath;
    std::string fileName;
    // Written by the board's status polling, possibly on its worker thread.
    std::atomic<std::uint16_t> temperature{0xFFFF};
    std::atomic<std::uint16_t> light{0xFFFF};

    // The window title must be drawn again (modified mark, chart switch).
    std::function<void()> onTitleRefresh;
    // Undo put back the current chart and the scroll position.
    std::function<void()> onViewRestored;

private:
    // A step placed at the current chart and scroll position.
    RECORDS StepHere() const;
    void Record(RECORDS step);
    // One step that takes back the creation of these objects; marks the document modified.
    void RecordCreation(const std::vector<int>& created);
    void RefreshTitle();
    std::vector<int> LiveOnly(const std::vector<int>& uids) const;
};
