// Shapes, labels and connector marks of the flow symbols.
#include "canvas/symbol_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QStaticText>
#include <cmath>

#include "canvas/drawing_resources.h"
#include "canvas/symbol_label.h"
#include "flow_object.h"
#include "records.h"

namespace {

QRect RectOf(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

QString Text(const std::string& utf8) { return QString::fromUtf8(utf8.data(), utf8.size()); }

// The symbol rectangle and its derived measures.
struct Frame {
    int L, T, R, B, W, H, midX, midY;

    explicit Frame(const Rect& r)
        : L(r.left),
          T(r.top),
          R(r.right),
          B(r.bottom),
          W(r.Width()),
          H(r.Height()),
          midX(r.left + r.Width() / 2),
          midY(r.top + r.Height() / 2) {}

    QRect Whole() const { return RectOf(L, T, R, B); }
    QRect Upper() const { return RectOf(L, T, R, T + H / 2); }
    QRect Lower() const { return RectOf(L, T + H / 2, R, B); }
};

// The box (L+1, T+1)-(R+1, B+1), right and bottom edges excluded, in the
// 2-pixel pen: its edges run along x = L+1 and R, y = T+1 and B and the pen
// covers the pixel before each. Filled as four bars, which is what the pen
// draws, only quicker.
void DrawBox(QPainter& p, const Frame& f) {
    const QColor ink = p.pen().color();
    const int w = f.R - f.L + 1;
    const int h = f.B - f.T + 1;
    p.fillRect(f.L, f.T, w, 2, ink);
    p.fillRect(f.L, f.B - 1, w, 2, ink);
    p.fillRect(f.L, f.T, 2, h, ink);
    p.fillRect(f.R - 1, f.T, 2, h, ink);
}

void DrawTerminal(QPainter& p, const Frame& f) {
    QPainterPath path;
    path.moveTo(f.L + 73, f.T + 1);
    path.lineTo(f.L + 24, f.T + 1);
    path.arcTo(QRectF(f.L, f.T + 1, 48, 47), 90, 180);
    path.lineTo(f.L + 72, f.T + 48);
    path.arcTo(QRectF(f.L + 49, f.T + 1, 48, 47), 270, 180);
    p.drawPath(path);
}

void DrawOutline(QPainter& p, SymbolShape shape, const Frame& f) {
    switch (shape) {
        case SymbolShape::Terminal:
            DrawTerminal(p, f);
            break;
        case SymbolShape::Box:
        case SymbolShape::TwoLineBox:
        case SymbolShape::LedBox:
            DrawBox(p, f);
            break;
        case SymbolShape::Decision:
            p.drawPolygon(QPolygon({QPoint(f.L, f.midY), QPoint(f.midX, f.T), QPoint(f.R, f.midY),
                                    QPoint(f.midX, f.B)}));
            break;
        case SymbolShape::LoopBegin:
            p.drawPolygon(QPolygon({QPoint(f.L + f.W / 8 + 1, f.T + 1), QPoint(f.L + 1, f.midY),
                                    QPoint(f.L + 1, f.B), QPoint(f.R, f.B), QPoint(f.R, f.midY),
                                    QPoint(f.R - f.W / 8, f.T + 1)}));
            break;
        case SymbolShape::LoopEnd:
            p.drawPolygon(QPolygon({QPoint(f.L + 1, f.T + 1), QPoint(f.L + 1, f.midY),
                                    QPoint(f.L + f.W / 8 + 1, f.B), QPoint(f.R - f.W / 8, f.B),
                                    QPoint(f.R, f.midY), QPoint(f.R, f.T + 1)}));
            break;
        case SymbolShape::Subroutine: {
            const int left = f.L + f.W / 12 + 1;
            const int right = f.R - f.W / 12;
            p.drawLine(left, f.T + 1, left, f.B);
            p.drawLine(right, f.T + 1, right, f.B);
            DrawBox(p, f);
            break;
        }
        case SymbolShape::Parallel:
            p.drawLine(f.L, f.T + 1, f.R, f.T + 1);
            p.drawLine(f.L, f.midY, f.R, f.midY);
            break;
    }
}

// Writes single-line texts into rectangles, aligned, clipped to the
// rectangle only when the text does not fit.
class TextWriter {
public:
    TextWriter(QPainter& painter, const DrawingResources& resources)
        : p_(painter), res_(resources) {}

    void Put(const QRect& r, const QString& text, bool small = false,
             Qt::Alignment align = Qt::AlignCenter) {
        if (text.isEmpty()) return;
        const QStaticText& prepared = res_.PreparedText(text, small);
        p_.setFont(small ? res_.SmallFont() : res_.LabelFont());
        const QSizeF size = prepared.size();
        const double x = align & Qt::AlignLeft    ? r.left()
                         : align & Qt::AlignRight ? r.left() + r.width() - size.width()
                                                  : r.left() + (r.width() - size.width()) / 2;
        const double y = align & Qt::AlignTop      ? r.top()
                         : align & Qt::AlignBottom ? r.top() + r.height() - size.height()
                                                   : r.top() + (r.height() - size.height()) / 2;
        const QPointF at(std::round(x), std::round(y));
        if (size.width() <= r.width() && size.height() <= r.height()) {
            p_.drawStaticText(at, prepared);
            return;
        }
        p_.save();
        p_.setClipRect(r, Qt::IntersectClip);
        p_.drawStaticText(at, prepared);
        p_.restore();
    }

    void Put(const QRect& r, const std::string& text, bool small = false,
             Qt::Alignment align = Qt::AlignCenter) {
        Put(r, Text(text), small, align);
    }

private:
    QPainter& p_;
    const DrawingResources& res_;
};

void DrawLabel(QPainter& p, const DrawingResources& res, const SymbolFace& face, const Frame& f) {
    TextWriter w(p, res);
    switch (face.shape) {
        case SymbolShape::TwoLineBox:
            w.Put(f.Upper(), face.first);
            w.Put(f.Lower(), face.second);
            break;
        case SymbolShape::LoopBegin:
            if (face.second.empty()) {
                w.Put(f.Whole(), face.first);
            } else {
                w.Put(f.Upper(), face.first);
                w.Put(f.Lower(), face.second);
            }
            break;
        case SymbolShape::LedBox: {
            w.Put(f.Upper(), face.first);
            const int column = f.W / 3;
            const int top = f.T + f.H / 2;
            w.Put(RectOf(f.L + column, top, f.L + 2 * column, f.B), face.second);
            if (face.fadeIn) w.Put(RectOf(f.L, top, f.L + column, f.B), QStringLiteral("in"), true);
            if (face.fadeOut)
                w.Put(RectOf(f.L + 2 * column, top, f.R, f.B), QStringLiteral("out"), true);
            break;
        }
        case SymbolShape::Decision:
            w.Put(f.Whole(), face.first);
            w.Put(RectOf(f.R - f.W / 3 + 2, f.T + 1, f.R + 2, f.B - f.H / 2),
                  QStringLiteral("いいえ"), true, Qt::AlignRight | Qt::AlignTop);
            w.Put(RectOf(f.L + 13, f.B - f.H / 2 + 2, f.L + 13 + f.W / 3, f.B + 2),
                  QStringLiteral("はい"), true, Qt::AlignLeft | Qt::AlignBottom);
            break;
        case SymbolShape::Parallel:
            w.Put(f.Lower(), face.first, true);
            break;
        case SymbolShape::Terminal:
        case SymbolShape::Box:
        case SymbolShape::LoopEnd:
        case SymbolShape::Subroutine:
            w.Put(f.Whole(), face.first);
            break;
    }
}

void DrawConnectors(QPainter& p, const DrawingResources& res, const IFLOWOBJECT& symbol,
                    bool lineMode) {
    constexpr int o = DrawingResources::kMarkOrigin;
    for (const auto& [id, connector] : symbol.Connectors().All()) {
        if (!connector->ShouldDraw(lineMode)) continue;
        const ConnectorMark mark = connector->Covered()      ? ConnectorMark::DownCovered
                                   : id == Connector::Branch ? ConnectorMark::Right
                                                             : ConnectorMark::Down;
        const Point at = connector->ConnectionPoint();
        p.drawImage(at.x - o, at.y - o, res.Mark(mark));
    }
}

}  // namespace

void PaintSymbol(QPainter& painter, const DrawingResources& resources, const IFLOWOBJECT& symbol,
                 bool highlighted, bool showConnectors, bool lineMode) {
    const Frame frame(symbol.Bounds());
    const SymbolFace face = FaceOf(symbol.Class(), symbol.Engine());
    painter.setPen(resources.OutlinePen(highlighted));
    painter.setBrush(Qt::NoBrush);
    DrawOutline(painter, face.shape, frame);
    painter.setPen(QColor(highlighted ? Colours::Selected : Colours::Ink));
    DrawLabel(painter, resources, face, frame);
    if (showConnectors) DrawConnectors(painter, resources, symbol, lineMode);
}
