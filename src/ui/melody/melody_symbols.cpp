#include "melody/melody_symbols.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kStaffStem = 28;
constexpr int kPaletteStem = 18;

// A note head centred on (x, y), its stem up on the right (or down on the
// left) and its flags.
void DrawNote(QPainter& p, int type, int x, int y, bool stemUp, int stemLength,
              const QColor& colour) {
    const bool open =
        type == TypeOf(MelodySymbol::WholeNote) || type == TypeOf(MelodySymbol::HalfNote);
    p.setPen(QPen(colour, 1.6));
    p.setBrush(open ? Qt::NoBrush : QBrush(colour));
    p.save();
    p.translate(x, y);
    p.rotate(-20);
    p.drawEllipse(QRectF(-5.5, -3.8, 11, 7.6));
    p.restore();
    if (type == TypeOf(MelodySymbol::WholeNote)) return;
    const int stemX = stemUp ? x + 5 : x - 5;
    const int end = stemUp ? y - stemLength : y + stemLength;
    p.setPen(QPen(colour, 1.4));
    p.drawLine(stemX, y, stemX, end);
    const int flags = type - TypeOf(MelodySymbol::QuarterNote);
    const int direction = stemUp ? 1 : -1;
    for (int i = 0; i < flags; ++i) {
        const int fy = end + direction * 6 * i;
        QPainterPath flag(QPointF(stemX, fy));
        flag.cubicTo(stemX + 2, fy + direction * 6, stemX + 10, fy + direction * 8, stemX + 7,
                     fy + direction * 16);
        p.setBrush(Qt::NoBrush);
        p.drawPath(flag);
    }
}

// A rest centred on x around the staff's middle line at y.
void DrawRest(QPainter& p, int type, int x, int y, const QColor& colour) {
    p.setPen(QPen(colour, 1.6));
    p.setBrush(colour);
    switch (static_cast<MelodySymbol>(type)) {
        case MelodySymbol::WholeRest:  // hangs from the line above the middle
            p.drawRect(QRect(x - 6, y - 8, 12, 4));
            break;
        case MelodySymbol::HalfRest:  // sits on the middle line
            p.drawRect(QRect(x - 6, y - 4, 12, 4));
            break;
        case MelodySymbol::QuarterRest: {
            QPainterPath zigzag(QPointF(x - 3, y - 13));
            zigzag.lineTo(x + 3, y - 6);
            zigzag.lineTo(x - 3, y);
            zigzag.lineTo(x + 3, y + 6);
            zigzag.quadTo(x - 5, y + 4, x - 1, y + 12);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(colour, 2.2));
            p.drawPath(zigzag);
            break;
        }
        default: {  // eighth and sixteenth: a slanted stroke with one or two hooks
            const int hooks = type == TypeOf(MelodySymbol::SixteenthRest) ? 2 : 1;
            p.drawLine(x + 4, y - 8, x - 2, y + 10);
            for (int i = 0; i < hooks; ++i) {
                const int hy = y - 8 + 7 * i;
                p.drawEllipse(QPoint(x - 4, hy), 2, 2);
                p.drawLine(x - 4, hy + 2, x + 4 - 2 * i, hy);
            }
            break;
        }
    }
}

void DrawClef(QPainter& p, int x, const QColor& colour) {
    // A treble clef curling round the G line (y 48) of the strip.
    QPainterPath clef(QPointF(x + 10, 62));
    clef.quadTo(x + 6, 66, x + 8, 70);
    clef.lineTo(x + 14, 14);
    clef.quadTo(x + 22, 22, x + 8, 36);
    clef.quadTo(x - 2, 46, x + 8, 54);
    clef.quadTo(x + 20, 58, x + 20, 46);
    clef.quadTo(x + 18, 38, x + 10, 42);
    clef.quadTo(x + 6, 46, x + 12, 50);
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(clef);
}

void DrawGlyph(QPainter& p, const QRect& box, const QString& glyph, const QColor& colour,
               const QFont& font) {
    p.setPen(colour);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, glyph);
}

}  // namespace

void DrawStaffSymbol(QPainter& p, const MelodyNote& note, const QColor& colour, const QFont& font) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const int x = note.x;
    if (note.type == TypeOf(MelodySymbol::Clef)) {
        DrawClef(p, x + 16, colour);
    } else if (IsRestType(note.type)) {
        DrawRest(p, note.type, x, kRestY, colour);
        if (note.dotted) DrawGlyph(p, QRect(x + 2, 32, 14, 10), QStringLiteral("・"), colour, font);
    } else if (IsNoteType(note.type)) {
        const int y = note.y;
        DrawNote(p, note.type, x, y, y > 39, kStaffStem, colour);
        if (note.dotted) {
            const int r = y % 8;
            DrawGlyph(p, QRect(x + 2, y + r - 12, 14, 20), QStringLiteral("・"), colour, font);
        }
        if (note.flat != note.sharp)
            DrawGlyph(p, QRect(x - 14, y - 8, 14, 20),
                      note.flat ? QStringLiteral("♭") : QStringLiteral("♯"), colour, font);
    }
}

void DrawPaletteSymbol(QPainter& p, int type, int cx, int cy) {
    p.setRenderHint(QPainter::Antialiasing, true);
    if (IsNoteType(type))
        DrawNote(p, type, cx - 2, cy + 8, true, kPaletteStem, Qt::black);
    else if (IsRestType(type))
        DrawRest(p, type, cx, cy, Qt::black);
}
