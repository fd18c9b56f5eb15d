// The drawings of the application icon and the two file-type icons, shared by
// the image tools: each paints into a 64 x 64 box that the caller scales.
#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace icons {

inline const QColor kOutline(40, 40, 40);
inline const QColor kTerminalFill(255, 236, 214);
inline const QColor kDecisionFill(255, 250, 205);

// A start, a decision and an end joined by lines, 32 x 47 units at scale 1,
// with its top-left corner at (x, y).
inline void PaintMiniChart(QPainter& p, qreal x, qreal y, qreal scale, const QColor& line) {
    p.save();
    p.translate(x, y);
    p.scale(scale, scale);
    p.setPen(QPen(line, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(16, 11), QPointF(16, 17));
    p.drawLine(QPointF(16, 29), QPointF(16, 36));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(kTerminalFill);
    p.drawRoundedRect(QRectF(2, 0, 28, 11), 5.5, 5.5);
    p.setBrush(kDecisionFill);
    QPolygonF diamond;
    diamond << QPointF(0, 23) << QPointF(16, 17) << QPointF(32, 23) << QPointF(16, 29);
    p.drawPolygon(diamond);
    p.setBrush(kTerminalFill);
    p.drawRoundedRect(QRectF(2, 36, 28, 11), 5.5, 5.5);
    p.restore();
}

// The application: the small flowchart on a rounded blue tile.
inline void PaintAppIcon(QPainter& p) {
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(90, 160, 235));
    tile.setColorAt(1, QColor(30, 90, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    PaintMiniChart(p, 16, 8, 1.0, Qt::white);
}

// A sheet of paper with its top-right corner folded down, the shape the
// desktop gives documents, with a coloured band along its foot.
inline void PaintSheet(QPainter& p, const QColor& band) {
    QPainterPath sheet;
    sheet.moveTo(10, 3);
    sheet.lineTo(42, 3);
    sheet.lineTo(54, 15);
    sheet.lineTo(54, 61);
    sheet.lineTo(10, 61);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(10.75, 53, 42.5, 7.25));
    QPainterPath fold;
    fold.moveTo(42, 3);
    fold.lineTo(42, 15);
    fold.lineTo(54, 15);
    fold.closeSubpath();
    p.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(225, 225, 225));
    p.drawPath(fold);
}

// A flowchart file: the sheet with the application's small flowchart on it.
inline void PaintChartFileIcon(QPainter& p) {
    PaintSheet(p, QColor(30, 90, 170));
    PaintMiniChart(p, 18.4, 8, 0.85, QColor(30, 90, 170));
}

// A melody file: the sheet with a staff and two joined eighth notes.
inline void PaintMelodyFileIcon(QPainter& p) {
    PaintSheet(p, QColor(200, 90, 40));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int i = 0; i < 5; ++i) p.drawLine(QPointF(14, 24 + 6 * i), QPointF(50, 24 + 6 * i));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (const QPointF head : {QPointF(21, 45), QPointF(37, 39)}) {
        p.save();
        p.translate(head);
        p.rotate(-20);
        p.drawEllipse(QRectF(-5, -3.5, 10, 7));
        p.restore();
    }
    p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(25.5, 44), QPointF(25.5, 24));
    p.drawLine(QPointF(41.5, 38), QPointF(41.5, 18));
    p.setPen(QPen(kOutline, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(24.5, 26), QPointF(42.5, 20));
}

}  // namespace icons
