#include "canvas/canvas_renderer.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include "canvas/canvas_geometry.h"
#include "canvas/drawing_resources.h"
#include "canvas/qt_chart_painter.h"
#include "chart_store.h"
#include "flow_object.h"

namespace {
// The sheet surface is one pixel wider and higher than the sheet so that the
// right and bottom border lines fit.
const QRect kSurface(0, 0, kSheetWidth + 1, kSheetHeight + 1);
constexpr int kBorder = 2;
}  // namespace

void PaintSheet(QPainter& painter, const DrawingResources& resources, const QRect& sheetRect) {
    for (const QRect& off : QRegion(sheetRect).subtracted(kSurface))
        painter.fillRect(off, QColor(Colours::Window));
    const QRect onSheet = sheetRect & kSurface;
    if (onSheet.isEmpty()) return;
    painter.save();
    painter.setBrushOrigin(0, 0);
    painter.fillRect(onSheet, QBrush(resources.GridTile()));
    painter.restore();
    const QColor grid(Colours::Grid);
    painter.fillRect(0, 0, kBorder, kSheetHeight + 1, grid);
    painter.fillRect(kSheetWidth - 1, 0, kBorder, kSheetHeight + 1, grid);
    painter.fillRect(0, 0, kSheetWidth + 1, kBorder, grid);
    painter.fillRect(0, kSheetHeight - 1, kSheetWidth + 1, kBorder, grid);
}

void RenderNormalView(QPainter& painter, const DrawingResources& resources,
                      const CFlowObjectManager& store, const QRect& area, const NormalView& view) {
    const QPoint scroll(view.scrollX * kGrid, view.scrollY * kGrid);
    const QRect visible(scroll, area.size());
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft() - scroll);
    PaintSheet(painter, resources, visible);
    QtChartPainter chartPainter(painter, resources, visible);
    store.DrawChart(chartPainter, view.chart, true, view.lineMode, view.rubberBand);
    painter.restore();
}

void RenderWholeView(QPainter& painter, const DrawingResources& resources,
                     const CFlowObjectManager& store, const QRect& area, int chart) {
    painter.fillRect(area, QColor(Colours::Sheet));
    const Rect extent = store.ChartExtent(chart);
    const int w = extent.right + 1;
    const int h = extent.bottom + 1;
    QImage chartImage(w, h, QImage::Format_RGB32);
    chartImage.fill(Colours::Sheet);
    {
        QPainter imagePainter(&chartImage);
        QtChartPainter chartPainter(imagePainter, resources);
        store.DrawChart(chartPainter, chart, false, false, false);
    }
    const double scale = WholeViewScale(w, h, area);
    const QSize size(static_cast<int>(w / scale), static_cast<int>(h / scale));
    if (size.isEmpty()) return;
    const QImage shrunk = size == chartImage.size() ? chartImage
                                                    : chartImage.scaled(size, Qt::IgnoreAspectRatio,
                                                                        Qt::SmoothTransformation);
    painter.drawImage(area.topLeft(), shrunk);
}

void PaintExecutingFrames(QPainter& painter, const CFlowObjectManager& store,
                          const std::vector<int>& uids, int chart, QPoint origin, double scale) {
    constexpr int kFrame = 4;
    const auto lock = store.Lock();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(Colours::Executing), kFrame));
    painter.setBrush(Qt::NoBrush);
    for (const int uid : uids) {
        const IFLOWOBJECT* symbol = store.Find(uid);
        if (symbol == nullptr || symbol->Deleted() || symbol->Chart() != chart) continue;
        const Rect& b = symbol->Bounds();
        const QRectF frame(origin.x() + b.left * scale, origin.y() + b.top * scale,
                           b.Width() * scale, b.Height() * scale);
        painter.drawRoundedRect(frame.adjusted(-kFrame, -kFrame, kFrame, kFrame), 6, 6);
    }
    painter.restore();
}
