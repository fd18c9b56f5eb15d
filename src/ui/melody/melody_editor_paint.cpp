// Painting the melody editor: palette, tempo symbol and the staff strip.
#include <QCheckBox>
#include <QPainter>
#include <QPixmap>

#include "common/window_colour.h"
#include "melody/melody_editor.h"
#include "melody/melody_symbols.h"

namespace {

const QColor kLightLine(220, 220, 220);
const QColor kPreview(0, 0, 255);

void DrawStaff(QPainter& p, int width, bool atStart) {
    for (int y : {8, 16, 64, 72, 80}) {
        p.setPen(kLightLine);
        p.drawLine(0, y, width - 1, y);
    }
    p.setPen(Qt::black);
    for (int y = 24; y <= 56; y += 8) p.drawLine(0, y, width - 1, y);
    if (atStart) p.drawLine(0, 24, 0, 56);
}

}  // namespace

void CDlgToolMelody::Paint(QPainter& painter) const {
    painter.fillRect(canvas_->rect(), QColor(kWindowBackground));
    PaintPalette(painter);
    // The tempo symbol: a quarter note before "=".
    const MelodyNote tempoNote{TypeOf(MelodySymbol::QuarterNote), 0, 0, 0, 72, 72};
    DrawStaffSymbol(painter, tempoNote, Qt::black, smallFont_);
    PaintStrip(painter);
}

void CDlgToolMelody::PaintPalette(QPainter& p) const {
    const QRect area(kPaletteOrigin, QSize(kPaletteCell * 10, kPaletteCell));
    p.fillRect(area, Qt::white);
    for (int type = 1; type <= 10; ++type) {
        const int left = area.left() + (type - 1) * kPaletteCell;
        DrawPaletteSymbol(p, type, left + kPaletteCell / 2, area.top() + kPaletteCell / 2);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i <= 10; ++i)
        p.drawLine(area.left() + i * kPaletteCell, area.top(), area.left() + i * kPaletteCell,
                   area.top() + kPaletteCell);
    p.drawLine(area.left(), area.top(), area.left() + 10 * kPaletteCell, area.top());
    p.drawLine(area.left(), area.top() + kPaletteCell, area.left() + 10 * kPaletteCell,
               area.top() + kPaletteCell);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawRect(QRect(area.left() + (selectedType_ - 1) * kPaletteCell, area.top(), kPaletteCell,
                     kPaletteCell));
}

void CDlgToolMelody::PaintStrip(QPainter& painter) const {
    QPixmap strip(kStrip.size());
    strip.fill(Qt::white);
    QPainter p(&strip);
    DrawStaff(p, kStrip.width(), scrollOffset_ == 0);
    for (MelodyNote note : melody_.Notes()) {
        if (note.x < scrollOffset_ - 32 || note.x > scrollOffset_ + kStrip.width() + 32) continue;
        note.x -= scrollOffset_;
        DrawStaffSymbol(p, note, Qt::black, smallFont_);
    }
    if (placing_) {
        const MelodyNote preview{selectedType_,
                                 dotted_->isChecked() ? 1 : 0,
                                 flat_->isChecked() ? 1 : 0,
                                 sharp_->isChecked() ? 1 : 0,
                                 preview_.x(),
                                 preview_.y()};
        DrawStaffSymbol(p, preview, kPreview, smallFont_);
    }
    p.end();
    painter.drawPixmap(kStrip.topLeft(), strip);
}
