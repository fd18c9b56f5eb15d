// CDlgFlowIconArea: the symbol palette on the left of the main window. A press
// on an item checks the board's limits and starts a drag; the release over
// the work area's drawing area drops the symbol there.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "main_window/main_window_layout.h"

class CFlowIconManager;
class CFlowObjectManager;
class QScrollBar;

// What the palette needs from the window around it.
class IPaletteHost {
public:
    virtual ~IPaletteHost() = default;
    virtual int CurrentChart() const = 0;
    // The palette cleared the chart selection; the work area repaints.
    virtual void SelectionCleared() = 0;
    // True where a release would drop a symbol (the drawing area in normal view).
    virtual bool IsDropPoint(const QPoint& global) const = 0;
    // Places a symbol of kind at the global point (the work area's drop).
    virtual void DropSymbol(int kind, const QPoint& global) = 0;
    // Screen rectangle a drag keeps the pointer in; empty for none.
    virtual QRect ChartArea() const = 0;
};

// The drag cursor: an arrow carrying a rounded symbol outline, hot spot at its tip.
QCursor LoadDragCursor();

class CDlgFlowIconArea : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = MainWindowLayout::kPaletteWidth;
    static constexpr int kTop = MainWindowLayout::kToolBarHeight;
    static constexpr int kScrollBarWidth = 16;

    CDlgFlowIconArea(CFlowIconManager& icons, CFlowObjectManager& store, IPaletteHost& host,
                     QCursor dragCursor, QWidget* parent = nullptr);
    ~CDlgFlowIconArea() override;

    // Places the palette for a main window client area of the given height.
    void Layout(int clientHeight);
    // Picked index -1; ends a drag (arrow cursor, pointer freed).
    void Cancel();
    bool Dragging() const { return dragging_; }
    int ScrollPosition() const;
    QScrollBar* ScrollBar() const { return scrollBar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnScrollAction(int action);
    void UpdateScrollRange();
    void ShowDragCursor(const QPoint& global);
    void Confine(const QPoint& global);
    bool OverPaletteBody(const QPoint& global) const;

    CFlowIconManager& icons_;
    CFlowObjectManager& store_;
    IPaletteHost& host_;
    QCursor dragCursor_;
    QScrollBar* scrollBar_;
    QImage surface_;
    bool dragging_ = false;
    bool overrideCursor_ = false;
};
