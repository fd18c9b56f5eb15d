// CFlowIconManager: the palette's sixteen items (kind code, 80 x 36 image,
// rectangle, visible flag) and the picked index shared with the work area.
#pragma once

#include <QImage>
#include <QRect>
#include <vector>

class INotifier;

struct FlowIconItem {
    int kind = 0;
    QImage image;
    QRect rect;
    bool visible = true;
};

class CFlowIconManager {
public:
    static constexpr int kItemWidth = 80;
    static constexpr int kItemHeight = 36;
    static constexpr int kSurfaceWidth = 82;
    static constexpr int kSurfaceHeight = 864;

    // Loads the items in palette order; on a failed image shows
    // "フローアイコン画像の読み込み失敗", leaves the palette empty and answers false.
    bool Load(INotifier& notifier);
    const std::vector<FlowIconItem>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }

    // The visible item whose rectangle holds (x, y) in surface coordinates, or -1.
    int HitTest(int x, int y) const;

    // The picked item, -1 for none. Pick(-1) cancels.
    int Picked() const { return picked_; }
    void Pick(int index) { picked_ = index >= 0 && index < Count() ? index : -1; }
    // The picked item's kind code, or -1.
    int PickedKind() const {
        return picked_ >= 0 ? items_[static_cast<std::size_t>(picked_)].kind : -1;
    }
    int KindAt(int index) const;

private:
    std::vector<FlowIconItem> items_;
    int picked_ = -1;
};
