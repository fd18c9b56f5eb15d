// Draws the editor's PNG images (palette items, tabs, tool bar buttons, the
// drag cursor and the application icon) into resources/images.
// Usage: QT_QPA_PLATFORM=offscreen make-images <resources/images folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <array>
#include <cstdio>
#include <functional>

#include "icon_drawings.h"

namespace {

const QColor kInk(40, 40, 40);
const QColor kAccent(30, 90, 170);
const QColor kSheet(255, 255, 255);

QFont TextFont(int pixelSize, bool bold = false) {
    QFont font;
    font.setFamilies({"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "sans-serif"});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make-images: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// ---- Palette items: the symbol's outline with its name, 80 x 36 ----

enum class Shape { Terminal, Box, Decision, LoopBegin, LoopEnd, Subroutine };

struct PaletteItem {
    const char* file;
    const char* text;
    Shape shape;
    QColor fill;
};

// Fill colours group the symbols: terminals, outputs, waits, decisions, loops, calls.
const std::array<PaletteItem, 16> kPalette{{
    {"start", "開始", Shape::Terminal, QColor(255, 236, 214)},
    {"end", "終了・戻る", Shape::Terminal, QColor(255, 236, 214)},
    {"led", "カラーLED", Shape::Box, QColor(255, 250, 205)},
    {"white_led", "白色LED", Shape::Box, QColor(255, 250, 205)},
    {"usb_power", "USBパワー", Shape::Box, QColor(255, 250, 205)},
    {"sound", "サウンド", Shape::Box, QColor(255, 250, 205)},
    {"wait", "ウエイト", Shape::Box, QColor(228, 243, 225)},
    {"clock_alarm", "時計アラーム", Shape::Box, QColor(228, 243, 225)},
    {"light", "光", Shape::Decision, QColor(222, 236, 255)},
    {"temperature", "温度", Shape::Decision, QColor(222, 236, 255)},
    {"sound_level", "音", Shape::Decision, QColor(222, 236, 255)},
    {"switch", "スイッチ", Shape::Decision, QColor(222, 236, 255)},
    {"time", "時刻", Shape::Decision, QColor(222, 236, 255)},
    {"loop_begin", "くり返し", Shape::LoopBegin, QColor(240, 228, 250)},
    {"loop_end", "もどる", Shape::LoopEnd, QColor(240, 228, 250)},
    {"subroutine", "サブ", Shape::Subroutine, QColor(232, 232, 232)},
}};

// The same outlines the chart uses, scaled into r.
QPainterPath SymbolPath(Shape shape, const QRectF& r) {
    QPainterPath path;
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    const qreal midY = t + h / 2;
    switch (shape) {
    case Shape::Terminal:
        path.addRoundedRect(r, h / 2, h / 2);
        break;
    case Shape::Box:
        path.addRect(r);
        break;
    case Shape::Decision:
        path.moveTo(l, midY);
        path.lineTo(l + w / 2, t);
        path.lineTo(l + w, midY);
        path.lineTo(l + w / 2, t + h);
        path.closeSubpath();
        break;
    case Shape::LoopBegin:
        path.moveTo(l + w / 8, t);
        path.lineTo(l, midY);
        path.lineTo(l, t + h);
        path.lineTo(l + w, t + h);
        path.lineTo(l + w, midY);
        path.lineTo(l + w - w / 8, t);
        path.closeSubpath();
        break;
    case Shape::LoopEnd:
        path.moveTo(l, t);
        path.lineTo(l, midY);
        path.lineTo(l + w / 8, t + h);
        path.lineTo(l + w - w / 8, t + h);
        path.lineTo(l + w, midY);
        path.lineTo(l + w, t);
        path.closeSubpath();
        break;
    case Shape::Subroutine:
        path.addRect(r);
        break;
    }
    return path;
}

QImage PaletteImage(const PaletteItem& item) {
    QImage image = Blank(80, 36);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outline(3.5, 3.5, 73, 29);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(item.fill);
    p.drawPath(SymbolPath(item.shape, outline));
    if (item.shape == Shape::Subroutine) {
        p.drawLine(QPointF(outline.left() + 7, outline.top()), QPointF(outline.left() + 7, outline.bottom()));
        p.drawLine(QPointF(outline.right() - 7, outline.top()), QPointF(outline.right() - 7, outline.bottom()));
    }
    const QString text = QString::fromUtf8(item.text);
    const bool crowded = text.size() > 5 || (item.shape == Shape::Decision && text.size() > 2);
    p.setFont(TextFont(crowded ? 10 : 12));
    p.setPen(kInk);
    p.drawText(outline, Qt::AlignCenter, text);
    return image;
}

// ---- Tabs: 128 x 48, selected state above, unselected below ----

void DrawTabHalf(QPainter& p, int top, const QString& text, bool selected, bool roundTop) {
    const QRectF body(1.5, top + 1.5, 125, 21);
    QPainterPath path;
    const qreal r = 7;
    if (roundTop) {
        path.moveTo(body.left(), body.bottom());
        path.lineTo(body.left() + 4, body.top() + r);
        path.quadTo(body.left() + 5, body.top(), body.left() + 4 + r, body.top());
        path.lineTo(body.right() - 4 - r, body.top());
        path.quadTo(body.right() - 5, body.top(), body.right() - 4, body.top() + r);
        path.lineTo(body.right(), body.bottom());
    } else {
        path.moveTo(body.left(), body.top());
        path.lineTo(body.left() + 4, body.bottom() - r);
        path.quadTo(body.left() + 5, body.bottom(), body.left() + 4 + r, body.bottom());
        path.lineTo(body.right() - 4 - r, body.bottom());
        path.quadTo(body.right() - 5, body.bottom(), body.right() - 4, body.bottom() - r);
        path.lineTo(body.right(), body.top());
    }
    QLinearGradient shade(0, body.top(), 0, body.bottom());
    if (selected) {
        shade.setColorAt(0, QColor(255, 255, 255));
        shade.setColorAt(1, QColor(236, 244, 255));
    } else {
        shade.setColorAt(0, QColor(196, 208, 214));
        shade.setColorAt(1, QColor(176, 190, 198));
    }
    p.setBrush(shade);
    p.setPen(QPen(selected ? kAccent : QColor(120, 135, 145), 1.2));
    p.drawPath(path);
    p.setFont(TextFont(13, selected));
    p.setPen(selected ? kAccent : QColor(70, 80, 88));
    p.drawText(body, Qt::AlignCenter, text);
}

QImage TabImage(const char* text, bool roundTop) {
    QImage image = Blank(128, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawTabHalf(p, 0, QString::fromUtf8(text), true, roundTop);
    DrawTabHalf(p, 24, QString::fromUtf8(text), false, roundTop);
    return image;
}

// ---- Tool bar buttons: 24 x 24 glyphs in five states stacked vertically ----

using Glyph = std::function<void(QPainter&)>;

QPen GlyphPen(const QColor& c, qreal w = 1.4) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 4, y);
    path.lineTo(x + w, y + 4);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(GlyphPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

void GlyphNew(QPainter& p) {
    Page(p, 6, 3, 12, 17);
    p.setPen(GlyphPen(QColor(230, 160, 0), 1.6));
    p.drawLine(QPointF(17, 14), QPointF(17, 22));
    p.drawLine(QPointF(13, 18), QPointF(21, 18));
}

void GlyphOpen(QPainter& p) {
    p.setPen(GlyphPen(QColor(150, 110, 20), 1.2));
    p.setBrush(QColor(250, 210, 100));
    QPainterPath back;
    back.moveTo(3, 19);
    back.lineTo(3, 6);
    back.lineTo(9, 6);
    back.lineTo(11, 8);
    back.lineTo(19, 8);
    back.lineTo(19, 11);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 19);
    front.lineTo(7, 11);
    front.lineTo(21, 11);
    front.lineTo(17, 19);
    front.closeSubpath();
    p.setBrush(QColor(255, 226, 140));
    p.drawPath(front);
}

void GlyphSave(QPainter& p) {
    p.setPen(GlyphPen(QColor(20, 50, 110), 1.2));
    p.setBrush(QColor(70, 120, 200));
    p.drawRoundedRect(QRectF(4, 4, 16, 16), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 4, 10, 6));
    p.setBrush(QColor(200, 210, 225));
    p.drawRect(QRectF(7, 13, 10, 7));
}

void GlyphCut(QPainter& p) {
    p.setPen(GlyphPen(kInk, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(8, 3), QPointF(15, 15));
    p.drawLine(QPointF(16, 3), QPointF(9, 15));
    p.setPen(GlyphPen(QColor(200, 40, 40), 1.6));
    p.drawEllipse(QPointF(8, 18), 3, 3);
    p.drawEllipse(QPointF(16, 18), 3, 3);
}

void GlyphCopy(QPainter& p) {
    Page(p, 4, 3, 11, 14);
    Page(p, 9, 7, 11, 14);
}

void GlyphPaste(QPainter& p) {
    p.setPen(GlyphPen(QColor(110, 75, 30), 1.2));
    p.setBrush(QColor(200, 150, 80));
    p.drawRoundedRect(QRectF(4, 5, 13, 16), 1.5, 1.5);
    p.setBrush(QColor(180, 180, 180));
    p.drawRect(QRectF(7.5, 3, 6, 4));
    Page(p, 11, 10, 9, 11);
}

void GlyphUndo(QPainter& p) {
    p.setPen(GlyphPen(kAccent, 2.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(7, 10);
    arc.cubicTo(12, 5, 21, 7, 20, 14);
    arc.cubicTo(19, 19, 13, 20, 10, 19);
    p.drawPath(arc);
    p.setBrush(kAccent);
    p.setPen(GlyphPen(kAccent, 1.0));
    QPolygonF head;
    head << QPointF(3, 11) << QPointF(10, 5) << QPointF(10, 14);
    p.drawPolygon(head);
}

void GlyphNormalView(QPainter& p) {
    p.setPen(GlyphPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    p.setPen(GlyphPen(QColor(131, 202, 255), 1.0));
    for (qreal v = 7.5; v < 20; v += 4) {
        p.drawLine(QPointF(v, 4), QPointF(v, 20));
        p.drawLine(QPointF(4, v), QPointF(20, v));
    }
    p.setPen(GlyphPen(kInk, 1.3));
    p.setBrush(QColor(255, 236, 214));
    p.drawRoundedRect(QRectF(6.5, 9.5, 11, 6), 3, 3);
}

void GlyphWholeView(QPainter& p) {
    p.setPen(GlyphPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    p.setBrush(QColor(255, 236, 214));
    p.drawRoundedRect(QRectF(8, 5.5, 8, 3), 1.5, 1.5);
    p.drawRect(QRectF(8, 10.5, 8, 3));
    p.drawRoundedRect(QRectF(8, 15.5, 8, 3), 1.5, 1.5);
    p.drawLine(QPointF(12, 8.5), QPointF(12, 10.5));
    p.drawLine(QPointF(12, 13.5), QPointF(12, 15.5));
}

void GlyphTransfer(QPainter& p) {
    p.setPen(GlyphPen(QColor(20, 100, 40), 1.2));
    p.setBrush(QColor(60, 170, 90));
    p.drawRoundedRect(QRectF(3, 15, 18, 6), 1.5, 1.5);
    p.setBrush(QColor(240, 130, 30));
    p.setPen(GlyphPen(QColor(170, 80, 10), 1.0));
    QPolygonF arrow;
    arrow << QPointF(9, 2) << QPointF(15, 2) << QPointF(15, 8) << QPointF(19, 8)
          << QPointF(12, 14) << QPointF(5, 8) << QPointF(9, 8);
    p.drawPolygon(arrow);
}

void GlyphRun(QPainter& p) {
    p.setPen(GlyphPen(QColor(20, 110, 40), 1.2));
    p.setBrush(QColor(50, 180, 80));
    QPolygonF play;
    play << QPointF(7, 4) << QPointF(20, 12) << QPointF(7, 20);
    p.drawPolygon(play);
}

void GlyphStop(QPainter& p) {
    p.setPen(GlyphPen(QColor(140, 20, 20), 1.2));
    p.setBrush(QColor(215, 50, 50));
    p.drawRoundedRect(QRectF(5.5, 5.5, 13, 13), 2, 2);
}

void GlyphDetach(QPainter& p) {
    p.setPen(GlyphPen(kInk, 1.3));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(3, 9, 7, 7));
    p.drawLine(QPointF(10, 11), QPointF(12, 11));
    p.drawLine(QPointF(10, 14), QPointF(12, 14));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(15, 8, 6, 9));
    p.setPen(GlyphPen(QColor(200, 40, 40), 1.4));
    p.drawLine(QPointF(12, 4), QPointF(14, 7));
    p.drawLine(QPointF(12, 21), QPointF(14, 18));
}

struct ButtonImage {
    const char* file;
    Glyph glyph;
};

const std::array<ButtonImage, 13> kButtons{{
    {"new", GlyphNew},
    {"open", GlyphOpen},
    {"save", GlyphSave},
    {"cut", GlyphCut},
    {"copy", GlyphCopy},
    {"paste", GlyphPaste},
    {"undo", GlyphUndo},
    {"normal_view", GlyphNormalView},
    {"whole_view", GlyphWholeView},
    {"transfer", GlyphTransfer},
    {"run", GlyphRun},
    {"stop", GlyphStop},
    {"detach", GlyphDetach},
}};

QImage GlyphImage(const Glyph& glyph) {
    QImage image = Blank(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    glyph(p);
    return image;
}

QImage Disabled(const QImage& glyph) {
    QImage grey = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QColor c = grey.pixelColor(x, y);
            const int v = 150 + qGray(c.rgb()) / 3;
            grey.setPixelColor(x, y, QColor(v, v, v, c.alpha() * 2 / 3));
        }
    }
    return grey;
}

// States from the top: normal, pointer over it, pressed, disabled, focused.
QImage ButtonStrip(const Glyph& glyph) {
    const QImage face = GlyphImage(glyph);
    QImage strip = Blank(24, 120);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, face);

    p.setPen(QPen(QColor(90, 140, 210), 1));
    p.setBrush(QColor(214, 232, 255));
    p.drawRoundedRect(QRectF(0.5, 24.5, 23, 23), 3, 3);
    p.drawImage(0, 24, face);

    p.setPen(QPen(QColor(60, 100, 170), 1));
    p.setBrush(QColor(170, 200, 240));
    p.drawRoundedRect(QRectF(0.5, 48.5, 23, 23), 3, 3);
    p.drawImage(1, 49, face);

    p.drawImage(0, 72, Disabled(face));

    p.drawImage(0, 96, face);
    p.setPen(QPen(QColor(80, 80, 80), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 96.5, 23, 23));
    return strip;
}

// ---- Drag cursor: an arrow carrying a rounded symbol outline, tip at (0,0) ----

QImage DragCursor() {
    QImage image = Blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow;
    arrow << QPointF(0.5, 0.5) << QPointF(0.5, 15) << QPointF(4, 11.5) << QPointF(6.5, 17)
          << QPointF(9, 16) << QPointF(6.5, 10.5) << QPointF(11, 10.5);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 236, 214, 220));
    p.drawRoundedRect(QRectF(9.5, 18.5, 21, 11), 5.5, 5.5);
    return image;
}

// ---- Application icon: a small flowchart on a rounded tile ----

QImage AppIcon(int size) {
    QImage image = Blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    icons::PaintAppIcon(p);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-images <resources/images folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"palette", "tabs", "buttons"}) {
        if (!out.mkpath(sub)) {
            std::fprintf(stderr, "make-images: cannot create %s\n", sub);
            return 1;
        }
    }
    bool ok = true;
    for (const auto& item : kPalette)
        ok &= Save(PaletteImage(item), out.filePath(QString("palette/%1.png").arg(item.file)));

    struct Tab {
        const char* file;
        const char* text;
        bool roundTop;
    };
    constexpr std::array<Tab, 7> tabs{{
        {"top_flowchart", "フローチャート", true},
        {"top_clock", "時計設定", true},
        {"top_report", "レポート", true},
        {"bottom_main", "メイン", false},
        {"bottom_sub1", "サブ1", false},
        {"bottom_sub2", "サブ2", false},
        {"bottom_sub3", "サブ3", false},
    }};
    for (const auto& tab : tabs)
        ok &= Save(TabImage(tab.text, tab.roundTop), out.filePath(QString("tabs/%1.png").arg(tab.file)));

    for (const auto& button : kButtons)
        ok &= Save(ButtonStrip(button.glyph), out.filePath(QString("buttons/%1.png").arg(button.file)));

    ok &= Save(DragCursor(), out.filePath("drag_cursor.png"));
    for (int size : {32, 64, 256})
        ok &= Save(AppIcon(size), out.filePath(QString("app_icon_%1.png").arg(size)));
    return ok ? 0 : 1;
}
