// The lamps of the virtual board window: the colour LED, which can fade, and an on / off lamp.
#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>

// The colour LED's 12-bit colour (red, green, blue nibbles) as a screen colour; dark is grey.
QColor LedColour(std::uint16_t rgb12);

class CColourLedLamp : public QWidget {
public:
    static constexpr int kFadeMs = 1000;

    explicit CColourLedLamp(QWidget* parent = nullptr);

    // The LED takes a new colour at nowMs; with fade it moves there over a second.
    void SetColour(const QColor& colour, bool fade, qint64 nowMs);
    // The colour shown at nowMs.
    QColor ShownAt(qint64 nowMs) const;
    // Repaints for the time nowMs; true while a fade is still going on.
    bool Tick(qint64 nowMs);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor from_;
    QColor to_;
    qint64 changedAt_ = 0;
    bool fading_ = false;
    QColor shown_;
};

class COnOffLamp : public QWidget {
public:
    explicit COnOffLamp(const QColor& onColour, QWidget* parent = nullptr);
    void SetOn(bool on);
    bool IsOn() const { return on_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor onColour_;
    bool on_ = false;
};
