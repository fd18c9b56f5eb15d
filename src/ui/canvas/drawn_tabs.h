// A strip of 128 x 24 tabs drawn by code, standing in for a tab strip whose
// images could not be loaded so that pages and charts can still be chosen.
#pragma once

#include <QPoint>
#include <QStringList>

class QPainter;

class DrawnTabStrip {
public:
    static constexpr int kTabWidth = 128;
    static constexpr int kTabHeight = 24;

    explicit DrawnTabStrip(QStringList labels);

    static DrawnTabStrip PageTabs();   // フローチャート, 時計設定, レポート
    static DrawnTabStrip ChartTabs();  // メイン, サブ1, サブ2, サブ3

    // Draws the strip with its top-left corner at origin.
    void Paint(QPainter& painter, QPoint origin, int selected) const;
    // The tab under (x, y) in strip coordinates, or -1.
    int HitTest(int x, int y) const;
    int Width() const { return static_cast<int>(labels_.size()) * kTabWidth; }

private:
    QStringList labels_;
};
