#include "measure/measure_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr QRgb kGridColour = qRgb(200, 200, 200);
constexpr QRgb kSelectionColour = qRgb(255, 0, 0);
constexpr QRgb kPopupColour = qRgb(245, 245, 181);
constexpr int kSampleStep = 8;  // pixels between samples
constexpr int kAdvanceAfter = 41;

QImage GraphBackground() {
    QImage image(CMeasurementData::kWidth, CMeasurementData::kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(kGridColour), 1));
    for (int x = 0; x <= 480; x += 40) painter.drawLine(x, 0, x, 320);
    for (int y = 0; y <= 320; y += 40) painter.drawLine(0, y, 480, y);
    for (int x = 0; x <= 472; x += 8) painter.drawLine(x, 158, x, 163);
    for (int y = 0; y <= 312; y += 8) painter.drawLine(238, y, 243, y);
    return image;
}

QLabel* PopupLine(QRgb colour, QWidget* parent) {
    auto* label = new QLabel(parent);
    SetTextColour(*label, colour);
    return label;
}

}  // namespace

void SetTextColour(QWidget& widget, QRgb colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    widget.setPalette(palette);
}

CDlgToolTip::CDlgToolTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint),
      temperature_(PopupLine(MeasureColours::Temperature, this)),
      light_(PopupLine(MeasureColours::Light, this)) {
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(kPopupColour));
    setPalette(background);
    auto* lines = new QVBoxLayout(this);
    lines->setContentsMargins(4, 2, 4, 2);
    lines->setSpacing(0);
    lines->addWidget(temperature_);
    lines->addWidget(light_);
}

void CDlgToolTip::SetSample(const MeasurementSample& sample) {
    temperature_->setText(QString::asprintf("温度 %d℃", sample.temperature));
    light_->setText(QString::asprintf("光 %dLx", sample.light));
    adjustSize();
}

void CDlgToolTip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        hide();
        emit released();
    }
}

CMeasurementData::CMeasurementData(const MeasurementSamples& samples, const QFont& labelFont,
                                   QWidget* parent)
    : QWidget(parent),
      samples_(samples),
      labelFont_(labelFont),
      background_(GraphBackground()),
      popup_(new CDlgToolTip(this)) {
    setFixedSize(kWidth, kHeight);
    connect(popup_, &CDlgToolTip::released, this, [this] { update(); });
}

int CMeasurementData::TemperatureY(std::uint16_t temperature) {
    return std::max(0, (70 - temperature) * 4);
}

int CMeasurementData::LightY(std::uint16_t light) {
    return std::clamp(280 - static_cast<int>(light * 0.4), 0, 320);
}

void CMeasurementData::Reset() {
    ClearSelection();
    autoScroll_ = true;
}

void CMeasurementData::ClearSelection() {
    selected_.reset();
    popup_->hide();
}

QImage CMeasurementData::Render() {
    const int count = static_cast<int>(samples_.Count());
    if (autoScroll_ && count - firstVisible_ > kAdvanceAfter &&
        firstVisible_ < kLastScrollPosition) {
        ++firstVisible_;
        emit firstVisibleAdvanced(firstVisible_);
    }
    QImage image = background_;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int shown = std::clamp(count - firstVisible_, 0, kVisibleSamples);
    QPolygon temperature;
    QPolygon light;
    for (int k = 0; k < shown; ++k) {
        const MeasurementSample& sample =
            samples_.All()[static_cast<std::size_t>(firstVisible_ + k)];
        temperature << QPoint(kSampleStep * k, TemperatureY(sample.temperature));
        light << QPoint(kSampleStep * k, LightY(sample.light));
    }
    const auto readingPen = [](QRgb colour) {
        return QPen(QColor(colour), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };
    painter.setPen(readingPen(MeasureColours::Temperature));
    painter.drawPolyline(temperature);
    painter.setPen(readingPen(MeasureColours::Light));
    painter.drawPolyline(light);
    if (selected_ && popup_->isVisible()) {
        const int x = kSampleStep * (*selected_ - firstVisible_);
        painter.setPen(QPen(QColor(kSelectionColour), 1));
        painter.drawLine(x, 0, x, 320);
    }
    if (blink_) {
        painter.setPen(Qt::black);
        painter.setFont(labelFont_);
        painter.drawText(
            QRect(0, 0, 200, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
            autoScroll_ ? QStringLiteral("計測中(自動スクロール)") : QStringLiteral("計測中"));
    }
    return image;
}

void CMeasurementData::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, Render()); }

void CMeasurementData::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int count = static_cast<int>(samples_.Count());
    const int index = firstVisible_ + (event->position().toPoint().x() + 3) / kSampleStep;
    if (count > 0 && index < count && index < firstVisible_ + kVisibleSamples) {
        selected_ = index;
        popup_->SetSample(samples_.All()[static_cast<std::size_t>(index)]);
        const QPoint click = event->globalPosition().toPoint();
        popup_->move(click.x(), click.y() - popup_->height());
        popup_->show();
    } else {
        ClearSelection();
    }
    update();
}

void CMeasurementData::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    ClearSelection();
    update();
}
