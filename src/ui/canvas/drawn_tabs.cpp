#include "canvas/drawn_tabs.h"

#include <QPainter>

#include "canvas/drawing_resources.h"

DrawnTabStrip::DrawnTabStrip(QStringList labels) : labels_(std::move(labels)) {}

DrawnTabStrip DrawnTabStrip::PageTabs() {
    return DrawnTabStrip(
        {QStringLiteral("フローチャート"), QStringLiteral("時計設定"), QStringLiteral("レポート")});
}

DrawnTabStrip DrawnTabStrip::ChartTabs() {
    return DrawnTabStrip({QStringLiteral("メイン"), QStringLiteral("サブ1"),
                          QStringLiteral("サブ2"), QStringLiteral("サブ3")});
}

void DrawnTabStrip::Paint(QPainter& painter, QPoint origin, int selected) const {
    painter.save();
    QFont font(QString::fromUtf8(kSmallFace));
    font.setPixelSize(12);
    for (int i = 0; i < labels_.size(); ++i) {
        const QRect tab(origin.x() + i * kTabWidth, origin.y(), kTabWidth, kTabHeight);
        const bool on = i == selected;
        font.setBold(on);
        painter.setFont(font);
        painter.fillRect(tab, on ? QColor(Colours::Sheet) : QColor(190, 204, 204));
        painter.setPen(QColor(120, 136, 136));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(tab.adjusted(0, 0, -1, -1));
        painter.setPen(on ? QColor(Colours::Selected) : QColor(Colours::Ink));
        painter.drawText(tab, Qt::AlignCenter | Qt::TextSingleLine, labels_[i]);
    }
    painter.restore();
}

int DrawnTabStrip::HitTest(int x, int y) const {
    if (x < 0 || y < 0 || y >= kTabHeight || x >= Width()) return -1;
    return x / kTabWidth;
}
