// Pens, fonts, colours and the grid tile shared by everything that draws charts.
#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QRgb>
#include <QStaticText>
#include <QString>

#include "common/font_faces.h"
#include "common/window_colour.h"

namespace Colours {
inline constexpr QRgb Window = kWindowBackground;
inline constexpr QRgb Selected = qRgb(0, 0, 255);
inline constexpr QRgb Grid = qRgb(131, 202, 255);
inline constexpr QRgb Sheet = qRgb(255, 255, 255);
inline constexpr QRgb Ink = qRgb(0, 0, 0);
inline constexpr QRgb Executing = qRgb(255, 128, 0);  // the virtual board's symbol in progress
}  // namespace Colours

inline constexpr int kLabelPixels = 14;
inline constexpr int kSmallPixels = 11;

// The marks of a connector: a down triangle, filled or in outline when the
// connector is covered, and the right-pointing triangle of a branch exit.
enum class ConnectorMark { Down = 0, DownCovered = 1, Right = 2 };

// Created once by the application (or a test) and handed to the painters.
class DrawingResources {
public:
    DrawingResources();

    const QPen& OutlinePen(bool selected) const { return selected ? selectedPen_ : outlinePen_; }
    const QFont& LabelFont() const { return labelFont_; }
    const QFont& SmallFont() const { return smallFont_; }
    // One 24 x 24 cell of the sheet: white with the dotted grid lines on its
    // left and top edges, tiled from the sheet's origin.
    const QImage& GridTile() const { return gridTile_; }
    // The laid-out text of a label in the label or the small font. Labels
    // repeat from frame to frame, so their layouts are kept for reuse.
    const QStaticText& PreparedText(const QString& text, bool small) const;
    // The mark drawn once; its connection point lies at kMarkOrigin.
    const QImage& Mark(ConnectorMark mark) const { return marks_[static_cast<int>(mark)]; }
    static constexpr int kMarkOrigin = 8;

private:
    QPen outlinePen_;
    QPen selectedPen_;
    QFont labelFont_;
    QFont smallFont_;
    QImage gridTile_;
    QImage marks_[3];
    mutable QHash<QString, QStaticText> prepared_[2];
};
