#include "canvas/drawing_resources.h"

#include <QPainter>
#include <QPolygon>

#include "geometry.h"

namespace {

QPen OutlinePenOf(QRgb colour) {
    return QPen(QColor(colour), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

QFont FontOf(const char* face, int pixels) {
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    return font;
}

// Dotted one pixel on, one off, starting on the line's first pixel; 24 is
// even, so every cell repeats the same pattern.
QImage MakeGridTile() {
    QImage tile(kGrid, kGrid, QImage::Format_RGB32);
    tile.fill(Colours::Sheet);
    for (int i = 0; i < kGrid; i += 2) {
        tile.setPixel(0, i, Colours::Grid);
        tile.setPixel(i, 0, Colours::Grid);
    }
    return tile;
}

// Connector marks, 1-pixel blue outline, around the connection point (x, y).
QImage MakeMark(ConnectorMark mark) {
    constexpr int o = DrawingResources::kMarkOrigin;
    QImage image(2 * o, 2 * o, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QColor blue(Colours::Selected);
    painter.setPen(QPen(blue, 1));
    painter.setBrush(mark == ConnectorMark::DownCovered ? QBrush(Qt::NoBrush) : QBrush(blue));
    if (mark == ConnectorMark::Right)
        painter.drawPolygon(
            QPolygon({QPoint(o + 6, o), QPoint(o - 4, o - 6), QPoint(o - 4, o + 6)}));
    else
        painter.drawPolygon(
            QPolygon({QPoint(o, o + 6), QPoint(o + 6, o - 4), QPoint(o - 6, o - 4)}));
    return image;
}

}  // namespace

DrawingResources::DrawingResources()
    : outlinePen_(OutlinePenOf(Colours::Ink)),
      selectedPen_(OutlinePenOf(Colours::Selected)),
      gridTile_(MakeGridTile()),
      marks_{MakeMark(ConnectorMark::Down), MakeMark(ConnectorMark::DownCovered),
             MakeMark(ConnectorMark::Right)} {
    RegisterFontSubstitutions();
    labelFont_ = FontOf(kLabelFace, kLabelPixels);
    smallFont_ = FontOf(kSmallFace, kSmallPixels);
}

const QStaticText& DrawingResources::PreparedText(const QString& text, bool small) const {
    // Bounded: wait times and clock values make labels that come and go.
    constexpr int kMaxPrepared = 2048;
    QHash<QString, QStaticText>& cache = prepared_[small ? 1 : 0];
    if (const auto it = cache.constFind(text); it != cache.cend()) return *it;
    if (cache.size() >= kMaxPrepared) cache.clear();
    QStaticText prepared(text);
    prepared.setTextFormat(Qt::PlainText);
    prepared.prepare(QTransform(), small ? smallFont_ : labelFont_);
    return *cache.insert(text, prepared);
}
