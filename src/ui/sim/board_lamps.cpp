// Painting the virtual board's lamps.
#include "sim/board_lamps.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr QRgb kDark = qRgb(64, 64, 64);

void PaintLamp(QWidget& widget, const QColor& colour) {
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(widget.width(), widget.height()) - 4;
    const QRect lamp((widget.width() - side) / 2, (widget.height() - side) / 2, side, side);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(colour);
    painter.drawEllipse(lamp);
}

int Mix(int a, int b, double t) { return static_cast<int>(a + (b - a) * t + 0.5); }

}  // namespace

QColor LedColour(std::uint16_t rgb12) {
    if ((rgb12 & 0xFFF) == 0) return QColor(kDark);
    // A nibble of 15 is full brightness: 17 times the nibble spreads 0..15 over 0..255.
    return QColor(((rgb12 >> 8) & 0xF) * 17, ((rgb12 >> 4) & 0xF) * 17, (rgb12 & 0xF) * 17);
}

CColourLedLamp::CColourLedLamp(QWidget* parent)
    : QWidget(parent), from_(kDark), to_(kDark), shown_(kDark) {
    setMinimumSize(48, 48);
}

void CColourLedLamp::SetColour(const QColor& colour, bool fade, qint64 nowMs) {
    if (colour == to_) return;
    from_ = ShownAt(nowMs);
    to_ = colour;
    changedAt_ = nowMs;
    fading_ = fade;
    Tick(nowMs);
}

QColor CColourLedLamp::ShownAt(qint64 nowMs) const {
    if (!fading_ || nowMs - changedAt_ >= kFadeMs) return to_;
    const double t = std::clamp(static_cast<double>(nowMs - changedAt_) / kFadeMs, 0.0, 1.0);
    return QColor(Mix(from_.red(), to_.red(), t), Mix(from_.green(), to_.green(), t),
                  Mix(from_.blue(), to_.blue(), t));
}

bool CColourLedLamp::Tick(qint64 nowMs) {
    const QColor shown = ShownAt(nowMs);
    if (shown != shown_) {
        shown_ = shown;
        update();
    }
    return fading_ && nowMs - changedAt_ < kFadeMs;
}

void CColourLedLamp::paintEvent(QPaintEvent*) { PaintLamp(*this, shown_); }

COnOffLamp::COnOffLamp(const QColor& onColour, QWidget* parent)
    : QWidget(parent), onColour_(onColour) {
    setMinimumSize(24, 24);
}

void COnOffLamp::SetOn(bool on) {
    if (on == on_) return;
    on_ = on;
    update();
}

void COnOffLamp::paintEvent(QPaintEvent*) { PaintLamp(*this, on_ ? onColour_ : QColor(kDark)); }
