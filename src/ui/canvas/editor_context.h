// EditorContext: the editing state the editor's windows share, that is the
// core EditorState plus what only the window side needs.
#pragma once

#include <QCursor>

#include "canvas/tab_strips.h"
#include "editor_state.h"

class CFlowObjectManager;

struct EditorContext {
    explicit EditorContext(CFlowObjectManager& store) : state(store) {}
    EditorContext(const EditorContext&) = delete;
    EditorContext& operator=(const EditorContext&) = delete;

    EditorState state;
    int statusBarHeight = 0;  // kept by the main window
    // The page and chart tab images, loaded by the work area; which tab is
    // selected is state.currentPage and state.currentChart.
    CTopTabManager pageTabs;
    CBottomTabManager chartTabs;
    // Shown while a palette symbol is dragged over the chart.
    QCursor dragCursor;
};
