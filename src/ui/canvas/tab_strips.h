// CTopTabManager (pages) and CBottomTabManager (charts): tab strips made of
// 128 x 48 images whose upper half shows the selected tab, the lower half the others.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class INotifier;
class QPainter;

class CTabManager {
public:
    static constexpr int kStripHeight = 24;

    virtual ~CTabManager() = default;

    // Builds the images and rectangles; on a failed image shows the strip's
    // failure text, empties the strip (size 0 x 24) and answers false.
    bool Load(INotifier& notifier);
    // Draws the strip onto target with its top edge at y.
    void Draw(QPainter& target, int y);
    // The tab at (x, y) in strip coordinates, or -1.
    int HitTest(int x, int y) const;

    int Selected() const { return selected_; }
    void Select(int index) { selected_ = index; }
    int Count() const { return static_cast<int>(images_.size()); }
    QSize Size() const { return size_; }
    QRect TabRect(int index) const { return rects_.at(static_cast<std::size_t>(index)); }

protected:
    CTabManager(std::vector<QString> imagePaths, QString failureText, int stripWidth);

private:
    std::vector<QString> imagePaths_;
    QString failureText_;
    int stripWidth_;
    std::vector<QImage> images_;
    std::vector<QRect> rects_;
    int selected_ = 0;
    QSize size_{0, kStripHeight};
    QImage surface_;
};

// フローチャート, 時計設定, レポート: the selected index is the current page.
class CTopTabManager : public CTabManager {
public:
    CTopTabManager();
    // For tests: the same strip over other image files.
    explicit CTopTabManager(std::vector<QString> imagePaths);
};

// メイン, サブ1, サブ2, サブ3: the selected index is the current chart.
class CBottomTabManager : public CTabManager {
public:
    CBottomTabManager();
    explicit CBottomTabManager(std::vector<QString> imagePaths);
};
