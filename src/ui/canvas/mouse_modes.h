// The work area's mouse modes, one small handler each; the canvas dispatches
// every press, move, release and click to the handler of the current mode.
#pragma once

#include <QPoint>
#include <array>
#include <memory>
#include <string_view>

#include "canvas/canvas_geometry.h"

class EditorState;
class ISymbolSettingsEditor;

// What a mode may do to the canvas besides editing the shared state.
class ICanvas {
public:
    virtual ~ICanvas() = default;
    virtual EditorState& State() = 0;
    // Takes the pointer for the running mode until released: every pointer
    // event comes to the canvas and the pointer is kept inside the drawing area.
    virtual void CapturePointer() = 0;
    virtual void ReleasePointer() = 0;
    virtual bool InDrawingArea(QPoint client) const = 0;
    virtual void WriteMessage(std::string_view text) = 0;
    // Draws the canvas now (before a modal dialog or menu opens over it).
    virtual void RepaintNow() = 0;
    virtual void OpenContextMenu(QPoint client, int uid, bool withSettings) = 0;
    virtual ISymbolSettingsEditor& SettingsEditor() = 0;
};

// Where the pointer is, in client pixels and on the sheet.
struct CanvasPointer {
    QPoint client;
    SheetPoint sheet;
};

class MouseModeHandler {
public:
    virtual ~MouseModeHandler() = default;
    virtual void LeftDown(ICanvas& canvas, const CanvasPointer& at) = 0;
    virtual void Move(ICanvas& canvas, const CanvasPointer& at) = 0;
    virtual void LeftUp(ICanvas& canvas) = 0;
    virtual void DoubleClick(ICanvas& canvas, const CanvasPointer& at) = 0;
    virtual void RightDown(ICanvas& canvas, const CanvasPointer& at) = 0;
};

// One handler per MouseMode, indexed by the mode.
class MouseModes {
public:
    MouseModes();
    ~MouseModes();
    MouseModeHandler& For(int mode) { return *handlers_.at(static_cast<std::size_t>(mode)); }

private:
    std::array<std::unique_ptr<MouseModeHandler>, 4> handlers_;
};

inline constexpr const char* kLineModeStarted = "線引きモードを開始";
inline constexpr const char* kLineModeEnded = "線引きモードを終了";
