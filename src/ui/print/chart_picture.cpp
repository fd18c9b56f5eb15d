// Writing a chart as a PNG or SVG picture.
#include "print/chart_picture.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "canvas/drawing_resources.h"
#include "canvas/qt_chart_painter.h"
#include "chart_store.h"
#include "print/printed_chart_painter.h"

namespace {

// The chart on a white ground, the area's top-left at the painter's origin.
void PaintPicture(QPainter& painter, const QRect& area, const CFlowObjectManager& store,
                  const DrawingResources& resources, int chart) {
    painter.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
    painter.translate(-area.topLeft());
    QtChartPainter chartPainter(painter, resources);
    PrintedChartPainter printed(chartPainter);
    store.DrawChart(printed, chart, false, false, false);
}

// Both formats go through a save file, so a failed write leaves no half
// picture behind and an older file as it was.
bool WritePng(QSaveFile& file, const QRect& area, const CFlowObjectManager& store,
              const DrawingResources& resources, int chart) {
    QImage image(area.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPicture(painter, area, store, resources, chart);
    painter.end();
    return image.save(&file, "PNG");
}

bool WriteSvg(QSaveFile& file, const QRect& area, const CFlowObjectManager& store,
              const DrawingResources& resources, int chart) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(area.size());
    svg.setViewBox(QRect(QPoint(0, 0), area.size()));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("テルノエディタ"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    PaintPicture(painter, area, store, resources, chart);
    return painter.end();
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return PictureFormat::Png;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return PictureFormat::Svg;
    return std::nullopt;
}

QRect PictureArea(const CFlowObjectManager& store, int chart) {
    auto lock = store.Lock();
    Rect extent;
    bool any = false;
    for (const auto& object : store.Objects()) {
        if (object->Deleted() || object->Chart() != chart) continue;
        extent = any ? extent.United(object->Bounds()) : object->Bounds();
        any = true;
    }
    if (!any) return {};
    const QRect sheet(0, 0, kSheetWidth, kSheetHeight);
    return QRect(extent.left, extent.top, extent.right - extent.left, extent.bottom - extent.top)
        .adjusted(-kPictureMargin, -kPictureMargin, kPictureMargin, kPictureMargin)
        .intersected(sheet);
}

PictureResult WriteChartPicture(const QString& path, PictureFormat format,
                                const CFlowObjectManager& store, const DrawingResources& resources,
                                int chart) {
    const QRect area = PictureArea(store, chart);
    if (area.isEmpty()) return PictureResult::EmptyChart;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return PictureResult::WriteFailed;
    const bool drawn = format == PictureFormat::Png ? WritePng(file, area, store, resources, chart)
                                                    : WriteSvg(file, area, store, resources, chart);
    if (!drawn) {
        file.cancelWriting();
        return PictureResult::WriteFailed;
    }
    return file.commit() ? PictureResult::Written : PictureResult::WriteFailed;
}

std::string PictureWrittenText(const std::string& path) {
    return "画像(" + path + ")を書き出しました";
}
