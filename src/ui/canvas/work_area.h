// CDlgWorkArea: the child window in which the four charts are edited. A page
// tab strip along the top chooses the flowchart, clock or report page; on the
// flowchart page a chart tab strip along the bottom chooses the chart and the
// canvas shows it at 1:1 with scroll bars (normal view) or shrunk to fit
// (whole view).
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "canvas/canvas_geometry.h"
#include "canvas/drawn_tabs.h"
#include "canvas/mouse_modes.h"

class CDlgReport;
class CDlgSetting;
class CTabManager;
class DrawingResources;
class IWorkAreaHost;
class QMenu;
class QScrollBar;
struct EditorContext;

class CDlgWorkArea : public QWidget, private ICanvas {
    Q_OBJECT

public:
    CDlgWorkArea(EditorContext& context, const DrawingResources& resources, IWorkAreaHost& host,
                 QWidget* parent = nullptr);
    ~CDlgWorkArea() override;

    // A menu, key or tool bar command (ids of CommandId); false for ids the
    // work area does not handle.
    bool OnCommand(int id);
    // Runs a change that may replace the document (new, open): a drag or a
    // line in progress ends first, as it refers to objects the change drops;
    // the counts and the picture follow the change.
    void ReplaceDocument(const std::function<void()>& change);

    // The palette's drop: places a symbol of kind at the cell under the
    // client point when it lies in the drawing area of the flowchart page in
    // normal view; false when the drop was not taken.
    bool DropSymbol(int kind, QPoint client);
    // Whether a palette drag released at the client point would drop there.
    bool IsDropPoint(QPoint client) const;

    // Sends the board a neutral report and waits for it to act on it; the
    // work area sends these around every page switch.
    void SetNeutralReport(std::function<void()> send) { neutralReport_ = std::move(send); }

    // The symbols the virtual board executes, framed on the flowchart page; empty for none.
    void SetExecutingSymbols(std::vector<int> uids);
    const std::vector<int>& ExecutingSymbols() const { return executing_; }

    void SwitchPage(int page);
    // Shows the chart on the flowchart page and selects its symbol uid,
    // scrolled into view (uid 0, or a symbol no longer there: the chart only).
    void ShowPlace(int chart, int uid);
    // Lowers the scroll positions until their pages fit and sets the bars.
    void LayoutScrollBars();

    QRect DrawingArea() const { return layout_.drawingArea; }
    QScrollBar* VerticalBar() const { return vBar_; }
    QScrollBar* HorizontalBar() const { return hBar_; }
    CDlgSetting* ClockPage() const { return clockPage_; }
    CDlgReport* ReportPage() const { return reportPage_; }
    // The context menu while it is open (tests drive it), else null.
    QMenu* OpenMenu() const { return openMenu_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ICanvas, for the mouse modes.
    EditorState& State() override;
    void CapturePointer() override;
    void ReleasePointer() override;
    bool InDrawingArea(QPoint client) const override;
    void WriteMessage(std::string_view text) override;
    void RepaintNow() override;
    void OpenContextMenu(QPoint client, int uid, bool withSettings) override;
    ISymbolSettingsEditor& SettingsEditor() override;

    CanvasPointer PointerAt(QPoint client) const;
    // While a mode runs, a point outside the drawing area counts as the
    // nearest point inside it (all a platform that cannot move the pointer allows).
    QPoint ClampedToDrawingArea(QPoint client) const;
    // Moves the visible pointer back into the drawing area when it has left it
    // while captured; the platform may not allow it (Wayland), the clamp stays.
    void PullPointerInside(QPoint global);
    MouseModeHandler& CurrentMode();
    bool OnFlowchartPage() const;
    // The strip's images when they loaded, else the strip drawn by code.
    void PaintTabs(QPainter& painter, CTabManager& images, const DrawnTabStrip& drawn, int y,
                   int selected);
    int HitTab(const CTabManager& images, const DrawnTabStrip& drawn, QPoint stripPoint) const;
    void LeftDown(QPoint client);
    void RightDown(QPoint client);
    void TrackPointer(QPoint client);
    void AutoscrollTick();
    void ScrollBy(int dx, int dy);
    void OnScrollAction(QScrollBar* bar, int action);
    void OnWheel(int delta);
    void ShowScrollBars(bool visible);
    // Scrolls the normal view so that the sheet rectangle lies in the drawing area.
    void ScrollToShow(const Rect& bounds);
    void SendNeutral();
    // Ends a drag, a rubber band or a line before the view or page changes.
    void EndMouseMode();

    // Commands.
    bool EditAllowed() const;
    void Undo();
    void PasteAtContextPoint();
    void SetWholeView(bool on);
    void ChangeSettingsAtContextPoint();
    void EditDone();

    EditorContext& context_;
    EditorState& state_;
    const DrawingResources& resources_;
    IWorkAreaHost& host_;
    MouseModes modes_;
    DrawnTabStrip drawnPageTabs_;
    DrawnTabStrip drawnChartTabs_;
    WorkAreaLayout layout_;
    QScrollBar* vBar_;
    QScrollBar* hBar_;
    CDlgSetting* clockPage_;
    CDlgReport* reportPage_;
    QMenu* openMenu_ = nullptr;
    QTimer autoscrollTimer_;
    Autoscroll autoscroll_;
    QPoint lastPointer_;
    struct ContextPoint {
        bool valid = false;
        QPoint client;
        int uid = 0;
    } contextPoint_;
    std::function<void()> neutralReport_;
    std::vector<int> executing_;
};
