// Loading, drawing and hit-testing the two image tab strips.
#include "canvas/tab_strips.h"

#include <QPainter>

#include "common/window_colour.h"
#include "notifier.h"

namespace {

std::vector<QString> TopImages() {
    return {":/images/tabs/top_flowchart.png", ":/images/tabs/top_clock.png",
            ":/images/tabs/top_report.png"};
}

std::vector<QString> BottomImages() {
    return {":/images/tabs/bottom_main.png", ":/images/tabs/bottom_sub1.png",
            ":/images/tabs/bottom_sub2.png", ":/images/tabs/bottom_sub3.png"};
}
}  // namespace

CTabManager::CTabManager(std::vector<QString> imagePaths, QString failureText, int stripWidth)
    : imagePaths_(std::move(imagePaths)),
      failureText_(std::move(failureText)),
      stripWidth_(stripWidth) {}

bool CTabManager::Load(INotifier& notifier) {
    images_.clear();
    rects_.clear();
    surface_ = QImage(stripWidth_, kStripHeight, QImage::Format_ARGB32_Premultiplied);
    surface_.fill(Qt::white);
    int x = 0;
    for (const QString& path : imagePaths_) {
        QImage image(path);
        if (image.isNull()) {
            notifier.ShowMessage(failureText_.toStdString());
            images_.clear();
            rects_.clear();
            size_ = QSize(0, kStripHeight);
            return false;
        }
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        rects_.emplace_back(x, 0, image.width(), image.height());
        x += image.width();
        images_.push_back(std::move(image));
    }
    size_ = QSize(x, kStripHeight);
    return true;
}

void CTabManager::Draw(QPainter& target, int y) {
    if (surface_.isNull()) return;
    surface_.fill(kWindowBackground);
    {
        QPainter painter(&surface_);
        for (std::size_t i = 0; i < images_.size(); ++i) {
            const QImage& image = images_[i];
            const int half = image.height() / 2;
            const bool selected = static_cast<int>(i) == selected_;
            painter.drawImage(QPoint(rects_[i].x(), 0), image,
                              QRect(0, selected ? 0 : half, image.width(), half));
        }
    }
    target.drawImage(QPoint(0, y), surface_);
}

int CTabManager::HitTest(int x, int y) const {
    for (std::size_t i = 0; i < rects_.size(); ++i) {
        const QRect& r = rects_[i];
        // The rectangle holds both halves; only the strip's height is on screen.
        if (x >= r.left() && x < r.left() + r.width() && y >= 0 && y < kStripHeight)
            return static_cast<int>(i);
    }
    return -1;
}

CTopTabManager::CTopTabManager() : CTopTabManager(TopImages()) {}
CTopTabManager::CTopTabManager(std::vector<QString> imagePaths)
    : CTabManager(std::move(imagePaths), QStringLiteral("トップタブ画像の読み込み失敗"), 384) {}

CBottomTabManager::CBottomTabManager() : CBottomTabManager(BottomImages()) {}
CBottomTabManager::CBottomTabManager(std::vector<QString> imagePaths)
    : CTabManager(std::move(imagePaths), QStringLiteral("ボトムタブ画像の読み込み失敗"), 512) {}
