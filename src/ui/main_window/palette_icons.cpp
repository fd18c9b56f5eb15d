// The palette's item table and its images.
#include "main_window/palette_icons.h"

#include <QString>
#include <array>

#include "notifier.h"

namespace {

struct ItemSpec {
    int kind;
    const char* image;
};

// Palette order; kinds are the codes CreateSymbol takes.
constexpr std::array<ItemSpec, 16> kItems{{
    {0, "start"},
    {1, "end"},
    {2, "led"},
    {3, "white_led"},
    {4, "usb_power"},
    {6, "sound"},
    {7, "wait"},
    {8, "clock_alarm"},
    {9, "light"},
    {10, "temperature"},
    {11, "sound_level"},
    {12, "switch"},
    {15, "time"},
    {16, "loop_begin"},
    {17, "loop_end"},
    {18, "subroutine"},
}};

}  // namespace

bool CFlowIconManager::Load(INotifier& notifier) {
    items_.clear();
    picked_ = -1;
    int top = 0;
    for (const auto& row : kItems) {
        FlowIconItem item;
        item.kind = row.kind;
        item.image = QImage(QStringLiteral(":/images/palette/%1.png").arg(row.image));
        if (item.image.isNull()) {
            notifier.ShowMessage("フローアイコン画像の読み込み失敗");
            items_.clear();
            return false;
        }
        item.rect = QRect(0, top, kItemWidth, kItemHeight);
        top += kItemHeight;
        items_.push_back(std::move(item));
    }
    return true;
}

int CFlowIconManager::HitTest(int x, int y) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].visible && items_[i].rect.contains(x, y)) return static_cast<int>(i);
    return -1;
}

int CFlowIconManager::KindAt(int index) const {
    if (index < 0 || index >= Count()) return -1;
    return items_[static_cast<std::size_t>(index)].kind;
}
