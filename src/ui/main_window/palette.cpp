// The palette window: painting, scrolling by items, press, drag and drop.
#include "main_window/palette.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "chart_store.h"
#include "common/window_colour.h"
#include "main_window/palette_icons.h"

namespace {
constexpr QRgb kPickedOutline = qRgb(255, 0, 0);
}  // namespace

QCursor LoadDragCursor() {
    const QPixmap image(QStringLiteral(":/images/drag_cursor.png"));
    if (image.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(image, 0, 0);
}

CDlgFlowIconArea::CDlgFlowIconArea(CFlowIconManager& icons, CFlowObjectManager& store,
                                   IPaletteHost& host, QCursor dragCursor, QWidget* parent)
    : QWidget(parent),
      icons_(icons),
      store_(store),
      host_(host),
      dragCursor_(std::move(dragCursor)),
      scrollBar_(new QScrollBar(Qt::Vertical, this)),
      surface_(CFlowIconManager::kSurfaceWidth, CFlowIconManager::kSurfaceHeight,
               QImage::Format_ARGB32_Premultiplied) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scrollBar_->setSingleStep(1);
    scrollBar_->setObjectName(QStringLiteral("paletteScrollBar"));
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CDlgFlowIconArea::OnScrollAction);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { update(); });
}

CDlgFlowIconArea::~CDlgFlowIconArea() {
    if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
}

int CDlgFlowIconArea::ScrollPosition() const { return scrollBar_->value(); }

void CDlgFlowIconArea::Layout(int clientHeight) {
    const int height = std::max(0, clientHeight - MainWindowLayout::kMessageAreaHeight - kTop);
    setGeometry(0, kTop, kWidth, height);
    scrollBar_->setGeometry(kWidth - kScrollBarWidth, 0, kScrollBarWidth, height);
    UpdateScrollRange();
}

// Positions count items; the largest lets the last page of items fit.
void CDlgFlowIconArea::UpdateScrollRange() {
    const int page = std::max(1, height() / CFlowIconManager::kItemHeight);
    const int largest = std::max(0, icons_.Count() + 1 - page);
    const int position = std::min(scrollBar_->value(), largest);
    scrollBar_->setRange(0, largest);
    scrollBar_->setPageStep(page);
    scrollBar_->setValue(position);
}

// Page requests move by one item, like line requests.
void CDlgFlowIconArea::OnScrollAction(int action) {
    const int current = scrollBar_->value();
    if (action == QAbstractSlider::SliderPageStepAdd)
        scrollBar_->setSliderPosition(std::min(current + 1, scrollBar_->maximum()));
    else if (action == QAbstractSlider::SliderPageStepSub)
        scrollBar_->setSliderPosition(std::max(current - 1, 0));
}

void CDlgFlowIconArea::paintEvent(QPaintEvent*) {
    surface_.fill(kWindowBackground);
    {
        QPainter painter(&surface_);
        for (const auto& item : icons_.Items())
            if (item.visible) painter.drawImage(item.rect.topLeft(), item.image);
        if (icons_.Picked() >= 0) {
            painter.setPen(QPen(QColor(kPickedOutline), 2));
            painter.setBrush(Qt::NoBrush);
            const QRect r = icons_.Items()[static_cast<std::size_t>(icons_.Picked())].rect;
            painter.drawRect(QRectF(r).adjusted(1, 1, -1, -1));
        }
    }
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kWindowBackground));
    painter.drawImage(
        QPoint(0, 0), surface_,
        QRect(0, CFlowIconManager::kItemHeight * ScrollPosition(), surface_.width(), height()));
}

void CDlgFlowIconArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!store_.Selection().empty()) {
        store_.SetSelection({});
        host_.SelectionCleared();
    }
    const QPoint p = event->position().toPoint();
    const int index =
        icons_.HitTest(p.x(), p.y() + CFlowIconManager::kItemHeight * ScrollPosition());
    if (index < 0) {
        Cancel();
    } else if (store_.CheckPlacement(host_.CurrentChart(), icons_.KindAt(index)) ==
               Placement::Allowed) {
        icons_.Pick(index);
        dragging_ = true;
        if (!overrideCursor_) {
            QGuiApplication::setOverrideCursor(dragCursor_);
            overrideCursor_ = true;
        }
    }
    update();
}

void CDlgFlowIconArea::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint global = event->globalPosition().toPoint();
    Confine(global);
    ShowDragCursor(global);
}

void CDlgFlowIconArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    const QPoint global = event->globalPosition().toPoint();
    const int kind = icons_.PickedKind();
    if (!OverPaletteBody(global) && kind >= 0 && host_.IsDropPoint(global))
        host_.DropSymbol(kind, global);
    Cancel();
    update();
}

void CDlgFlowIconArea::Cancel() {
    icons_.Pick(-1);
    dragging_ = false;
    if (overrideCursor_) {
        QGuiApplication::restoreOverrideCursor();
        overrideCursor_ = false;
    }
    update();
}

// The drag cursor over the palette's items and over the drawing area, the
// not-allowed cursor anywhere else (scroll bars, tabs, whole view).
void CDlgFlowIconArea::ShowDragCursor(const QPoint& global) {
    if (!overrideCursor_) return;
    const bool allowed = OverPaletteBody(global) || host_.IsDropPoint(global);
    QGuiApplication::changeOverrideCursor(allowed ? dragCursor_ : QCursor(Qt::ForbiddenCursor));
}

void CDlgFlowIconArea::Confine(const QPoint& global) {
    const QRect area = host_.ChartArea();
    if (area.isEmpty() || area.contains(global)) return;
    QCursor::setPos(std::clamp(global.x(), area.left(), area.right()),
                    std::clamp(global.y(), area.top(), area.bottom()));
}

bool CDlgFlowIconArea::OverPaletteBody(const QPoint& global) const {
    const QPoint local = mapFromGlobal(global);
    return rect().contains(local) && local.x() < kWidth - kScrollBarWidth;
}
