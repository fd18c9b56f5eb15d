// The work area's layout, painting, mouse dispatch, scrolling and pages.
#include "canvas/work_area.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "canvas/canvas_renderer.h"
#include "canvas/drawing_resources.h"
#include "canvas/editor_context.h"
#include "canvas/tab_strips.h"
#include "canvas/work_area_host.h"
#include "dialogs/clock_page.h"
#include "dialogs/report_page.h"

namespace {

QScrollBar* MakeBar(Qt::Orientation orientation, const char* name, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setSingleStep(1);
    return bar;
}

ScrollRequest RequestOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return ScrollRequest::LineBack;
        case QAbstractSlider::SliderSingleStepAdd:
            return ScrollRequest::LineForward;
        case QAbstractSlider::SliderPageStepSub:
            return ScrollRequest::PageBack;
        case QAbstractSlider::SliderPageStepAdd:
            return ScrollRequest::PageForward;
        case QAbstractSlider::SliderMove:
            return ScrollRequest::Track;
        case QAbstractSlider::SliderToMinimum:
            return ScrollRequest::First;
        case QAbstractSlider::SliderToMaximum:
            return ScrollRequest::Last;
        default:
            return ScrollRequest::End;
    }
}
}  // namespace

CDlgWorkArea::CDlgWorkArea(EditorContext& context, const DrawingResources& resources,
                           IWorkAreaHost& host, QWidget* parent)
    : QWidget(parent),
      context_(context),
      state_(context.state),
      resources_(resources),
      host_(host),
      drawnPageTabs_(DrawnTabStrip::PageTabs()),
      drawnChartTabs_(DrawnTabStrip::ChartTabs()),
      vBar_(MakeBar(Qt::Vertical, "verticalBar", this)),
      hBar_(MakeBar(Qt::Horizontal, "horizontalBar", this)),
      clockPage_(new CDlgSetting(this)),
      reportPage_(new CDlgReport(this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    context_.pageTabs.Load(state_.store.Notifier());
    context_.chartTabs.Load(state_.store.Notifier());
    clockPage_->hide();
    reportPage_->hide();
    for (QScrollBar* bar : {vBar_, hBar_}) {
        bar->installEventFilter(this);
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { OnScrollAction(bar, action); });
    }
    connect(vBar_, &QScrollBar::valueChanged, this, [this](int v) {
        state_.scrollY = v;
        update();
    });
    connect(hBar_, &QScrollBar::valueChanged, this, [this](int v) {
        state_.scrollX = v;
        update();
    });
    autoscrollTimer_.setInterval(Canvas::kAutoscrollMs);
    connect(&autoscrollTimer_, &QTimer::timeout, this, &CDlgWorkArea::AutoscrollTick);
    autoscrollTimer_.start();
}

CDlgWorkArea::~CDlgWorkArea() = default;

EditorState& CDlgWorkArea::State() { return state_; }

// The grab brings every pointer event to the canvas; each move then keeps the
// pointer inside the drawing area (TrackPointer).
void CDlgWorkArea::CapturePointer() {
    if (isVisible() && QWidget::mouseGrabber() != this) grabMouse();
}

void CDlgWorkArea::ReleasePointer() {
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

void CDlgWorkArea::PullPointerInside(QPoint global) {
    const QPoint client = mapFromGlobal(global);
    const QPoint inside = ClampedToDrawingArea(client);
    if (inside != client) QCursor::setPos(mapToGlobal(inside));
}

bool CDlgWorkArea::InDrawingArea(QPoint client) const {
    return layout_.drawingArea.contains(client);
}

void CDlgWorkArea::WriteMessage(std::string_view text) { host_.WriteMessage(text); }

void CDlgWorkArea::RepaintNow() { repaint(); }

ISymbolSettingsEditor& CDlgWorkArea::SettingsEditor() { return host_.SettingsEditor(); }

bool CDlgWorkArea::OnFlowchartPage() const { return state_.currentPage == 0; }

void CDlgWorkArea::PaintTabs(QPainter& painter, CTabManager& images, const DrawnTabStrip& drawn,
                             int y, int selected) {
    if (images.Count() == 0) {
        drawn.Paint(painter, QPoint(0, y), selected);
        return;
    }
    images.Select(selected);
    images.Draw(painter, y);
}

int CDlgWorkArea::HitTab(const CTabManager& images, const DrawnTabStrip& drawn,
                         QPoint stripPoint) const {
    return images.Count() == 0 ? drawn.HitTest(stripPoint.x(), stripPoint.y())
                               : images.HitTest(stripPoint.x(), stripPoint.y());
}

MouseModeHandler& CDlgWorkArea::CurrentMode() {
    return modes_.For(static_cast<int>(state_.mouseMode));
}

CanvasPointer CDlgWorkArea::PointerAt(QPoint client) const {
    return {client, ToSheet(client, layout_.drawingArea.topLeft(), state_.scrollX, state_.scrollY)};
}

QPoint CDlgWorkArea::ClampedToDrawingArea(QPoint client) const {
    if (state_.mouseMode == MouseMode::Idle) return client;
    const QRect& a = layout_.drawingArea;
    return {std::clamp(client.x(), a.left(), a.right()),
            std::clamp(client.y(), a.top(), a.bottom())};
}

void CDlgWorkArea::resizeEvent(QResizeEvent*) {
    layout_ = LayoutWorkArea(width(), height());
    vBar_->setGeometry(layout_.verticalBar);
    hBar_->setGeometry(layout_.horizontalBar);
    const QRect pages(0, Canvas::kTabHeight, width(), height() - Canvas::kTabHeight);
    clockPage_->setGeometry(pages);
    reportPage_->setGeometry(pages);
    LayoutScrollBars();
}

void CDlgWorkArea::LayoutScrollBars() {
    const auto fit = [](QScrollBar* bar, int& position, int cells, int extent) {
        const int page = extent / kGrid;
        const int largest = LargestScrollPosition(cells, page);
        position = ReduceToFit(position, largest);
        const QSignalBlocker blocker(bar);
        bar->setRange(0, std::max(0, largest));
        bar->setPageStep(std::max(1, page));
        bar->setValue(position);
    };
    fit(vBar_, state_.scrollY, Canvas::kVerticalCells, layout_.drawingArea.height());
    fit(hBar_, state_.scrollX, Canvas::kHorizontalCells, layout_.drawingArea.width());
    update();
}

void CDlgWorkArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(Colours::Window));
    PaintTabs(painter, context_.pageTabs, drawnPageTabs_, layout_.topTabs.top(),
              state_.currentPage);
    if (!OnFlowchartPage()) return;
    PaintTabs(painter, context_.chartTabs, drawnChartTabs_, layout_.bottomTabs.top(),
              state_.currentChart);
    if (state_.wholeView) {
        RenderWholeView(painter, resources_, state_.store, layout_.drawingArea,
                        state_.currentChart);
        const Rect extent = state_.store.ChartExtent(state_.currentChart);
        const double scale = WholeViewScale(extent.right + 1, extent.bottom + 1,
                                            layout_.drawingArea);
        PaintExecutingFrames(painter, state_.store, executing_, state_.currentChart,
                             layout_.drawingArea.topLeft(), 1.0 / scale);
        return;
    }
    NormalView view;
    view.chart = state_.currentChart;
    view.scrollX = state_.scrollX;
    view.scrollY = state_.scrollY;
    view.lineMode = state_.mouseMode == MouseMode::LineDrawing;
    view.rubberBand = state_.mouseMode == MouseMode::RubberBand;
    RenderNormalView(painter, resources_, state_.store, layout_.drawingArea, view);
    painter.setClipRect(layout_.drawingArea);
    PaintExecutingFrames(painter, state_.store, executing_, state_.currentChart,
                         layout_.drawingArea.topLeft() -
                             QPoint(state_.scrollX * kGrid, state_.scrollY * kGrid),
                         1.0);
}

void CDlgWorkArea::SetExecutingSymbols(std::vector<int> uids) {
    if (uids == executing_) return;
    executing_ = std::move(uids);
    update();
}

void CDlgWorkArea::mousePressEvent(QMouseEvent* event) {
    lastPointer_ = event->position().toPoint();
    const QPoint client = ClampedToDrawingArea(lastPointer_);
    if (event->button() == Qt::LeftButton)
        LeftDown(client);
    else if (event->button() == Qt::RightButton)
        RightDown(client);
}

void CDlgWorkArea::mouseDoubleClickEvent(QMouseEvent* event) {
    lastPointer_ = event->position().toPoint();
    const QPoint client = ClampedToDrawingArea(lastPointer_);
    if (event->button() == Qt::RightButton) {
        RightDown(client);
        return;
    }
    // Like a press, a double-click on the tab strips must not reach the objects
    // hidden under them.
    if (event->button() != Qt::LeftButton || !OnFlowchartPage() || state_.wholeView ||
        !InDrawingArea(client))
        return;
    CurrentMode().DoubleClick(*this, PointerAt(client));
    update();
}

void CDlgWorkArea::mouseMoveEvent(QMouseEvent* event) { TrackPointer(event->position().toPoint()); }

void CDlgWorkArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    autoscroll_ = {};
    CurrentMode().LeftUp(*this);
    host_.UpdateCounts();
    update();
}

void CDlgWorkArea::LeftDown(QPoint client) {
    if (OnFlowchartPage()) {
        const QRect& strip = layout_.bottomTabs;
        const int chart = strip.contains(client) ? HitTab(context_.chartTabs, drawnChartTabs_,
                                                          client - QPoint(0, strip.top()))
                                                 : -1;
        // The sheet runs on under the tab strips: a press there must not
        // reach the objects hidden below them.
        if (chart >= 0 && chart != state_.currentChart)
            state_.SwitchChart(chart);
        else if (!state_.wholeView && InDrawingArea(client))
            CurrentMode().LeftDown(*this, PointerAt(client));
    }
    const int page =
        layout_.topTabs.contains(client) ? HitTab(context_.pageTabs, drawnPageTabs_, client) : -1;
    if (page >= 0 && page != state_.currentPage) SwitchPage(page);
    update();
}

void CDlgWorkArea::RightDown(QPoint client) {
    // Whole view shows no selection and no menu, so it takes no right clicks.
    if (!OnFlowchartPage() || state_.wholeView || !InDrawingArea(client)) return;
    CurrentMode().RightDown(*this, PointerAt(client));
    update();
}

void CDlgWorkArea::TrackPointer(QPoint client) {
    lastPointer_ = client;
    const QPoint inside = ClampedToDrawingArea(client);
    const CanvasPointer at = PointerAt(inside);
    host_.UpdateCursorCell(at.sheet.nearest.x, at.sheet.nearest.y);
    if (state_.mouseMode == MouseMode::Idle) return;
    // A pointer that left the drawing area cannot click a tab or the palette
    // while the mode runs: it is brought back to the edge it crossed.
    if (inside != client) PullPointerInside(mapToGlobal(client));
    CurrentMode().Move(*this, at);
    autoscroll_ = AutoscrollFor(inside, layout_.drawingArea);
    update();
}

void CDlgWorkArea::AutoscrollTick() {
    // Only a running drag or line scrolls; a mode ended without a button
    // release (a line finished or cancelled) must not keep the sheet moving.
    if (!autoscroll_.active || state_.mouseMode == MouseMode::Idle) {
        autoscroll_ = {};
        return;
    }
    ScrollBy(autoscroll_.dx, autoscroll_.dy);
    TrackPointer(lastPointer_);
}

void CDlgWorkArea::ScrollBy(int dx, int dy) {
    const auto step = [](QScrollBar* bar, int d) {
        if (d != 0)
            bar->triggerAction(d < 0 ? QAbstractSlider::SliderSingleStepSub
                                     : QAbstractSlider::SliderSingleStepAdd);
    };
    step(hBar_, dx);
    step(vBar_, dy);
}

void CDlgWorkArea::OnScrollAction(QScrollBar* bar, int action) {
    const int current = bar == vBar_ ? state_.scrollY : state_.scrollX;
    bar->setSliderPosition(
        ApplyScrollRequest(RequestOf(action), current, bar->sliderPosition(), bar->maximum()));
}

void CDlgWorkArea::wheelEvent(QWheelEvent* event) {
    if (!OnFlowchartPage()) {
        event->ignore();
        return;
    }
    // A turn with a button or a modifier key down is left alone (Ctrl+wheel
    // is no scroll here); horizontal turns carry no vertical delta.
    const int delta = event->angleDelta().y();
    if (event->buttons() == Qt::NoButton && event->modifiers() == Qt::NoModifier && delta != 0)
        OnWheel(delta);
    event->accept();
}

void CDlgWorkArea::OnWheel(int delta) { ScrollBy(0, delta < 0 ? 1 : -1); }

bool CDlgWorkArea::eventFilter(QObject* watched, QEvent* event) {
    // The bars scroll by the canvas's rule, not by their own wheel steps.
    if ((watched == vBar_ || watched == hBar_) && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CDlgWorkArea::ShowScrollBars(bool visible) {
    vBar_->setVisible(visible);
    hBar_->setVisible(visible);
}

void CDlgWorkArea::SendNeutral() {
    if (neutralReport_) neutralReport_();
}

void CDlgWorkArea::SwitchPage(int page) {
    if (page < 0 || page > 2 || page == state_.currentPage) return;
    EndMouseMode();
    state_.currentPage = page;
    state_.store.Select(0, false, 0, 0);
    host_.PageChanged(page);
    SendNeutral();
    if (page == 0) {
        ShowScrollBars(!state_.wholeView);
        host_.SetEditMenusEnabled(true);
        reportPage_->hide();
        clockPage_->StopClock();
        clockPage_->hide();
        SendNeutral();
    } else if (page == 1) {
        SendNeutral();
        ShowScrollBars(false);
        host_.SetEditMenusEnabled(false);
        clockPage_->StartClock();
        clockPage_->show();
        reportPage_->hide();
    } else {
        SendNeutral();
        ShowScrollBars(false);
        host_.SetEditMenusEnabled(false);
        reportPage_->show();
        clockPage_->StopClock();
        clockPage_->hide();
    }
    update();
}

void CDlgWorkArea::EndMouseMode() {
    autoscroll_ = {};
    switch (state_.mouseMode) {
        case MouseMode::Idle:
            return;
        case MouseMode::Moving:
            state_.EndMove();
            break;
        case MouseMode::RubberBand:
            break;
        case MouseMode::LineDrawing:
            while (state_.store.StepBackLine()) {
            }
            WriteMessage(kLineModeEnded);
            break;
    }
    state_.mouseMode = MouseMode::Idle;
    ReleasePointer();
}
