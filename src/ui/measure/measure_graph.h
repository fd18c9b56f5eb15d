// CMeasurementData: the measurement tool's graph of temperature and light,
// 61 samples wide from the first visible one, and the popup of a clicked sample.
#pragma once

#include <QImage>
#include <QLabel>
#include <QRgb>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "measurement_samples.h"

// The colours of the two readings: their lines, popup lines and axis captions.
namespace MeasureColours {
inline constexpr QRgb Temperature = qRgb(255, 102, 0);
inline constexpr QRgb Light = qRgb(0, 102, 255);
}  // namespace MeasureColours

// Draws the widget's text in colour.
void SetTextColour(QWidget& widget, QRgb colour);

// The small popup with the temperature and light of a clicked sample.
class CDlgToolTip : public QWidget {
    Q_OBJECT

public:
    explicit CDlgToolTip(QWidget* owner);
    void SetSample(const MeasurementSample& sample);
    QString TemperatureText() const { return temperature_->text(); }
    QString LightText() const { return light_->text(); }

signals:
    void released();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* temperature_;
    QLabel* light_;
};

class CMeasurementData : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 481;
    static constexpr int kHeight = 321;
    static constexpr int kVisibleSamples = 61;
    static constexpr int kLastScrollPosition = 940;
    static constexpr int kLastFirstVisible = 999;

    CMeasurementData(const MeasurementSamples& samples, const QFont& labelFont, QWidget* parent);

    int FirstVisible() const { return firstVisible_; }
    void SetFirstVisible(int index) { firstVisible_ = index; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool on) { autoScroll_ = on; }
    bool Blink() const { return blink_; }
    void SetBlink(bool on) { blink_ = on; }
    std::optional<int> Selected() const { return selected_; }
    const CDlgToolTip* Popup() const { return popup_; }
    // Clears the selection and the popup and turns auto-scroll back on.
    void Reset();

    // The graph as it is painted; advances the view first while auto-scroll
    // follows the newest samples.
    QImage Render();

    // Where a reading is drawn, from the top of the graph.
    static int TemperatureY(std::uint16_t temperature);
    static int LightY(std::uint16_t light);

signals:
    // Auto-scroll moved the first visible sample; the scroll bar follows.
    void firstVisibleAdvanced(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ClearSelection();

    const MeasurementSamples& samples_;
    QFont labelFont_;
    QImage background_;
    CDlgToolTip* popup_;
    int firstVisible_ = 0;
    bool autoScroll_ = true;
    bool blink_ = false;
    std::optional<int> selected_;
};
