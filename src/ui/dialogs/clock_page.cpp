// The clock page: three texts on a white page and a one-second refresh.
#include "dialogs/clock_page.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <algorithm>

#include "common/font_faces.h"
#include "dialogs/settings_dialog_base.h"

namespace {

constexpr int kRefreshMs = 1000;

// Places a text at a pixel position, its width from the template in dialog
// units and at least one line of its font high.
void Place(QLabel* label, int x, int y, int widthUnits, int height) {
    label->setGeometry(x, y, DialogUnitsX(*label->parentWidget(), widthUnits),
                       std::max(height, label->fontMetrics().height()));
}

}  // namespace

QString FormatClockText(const QTime& time) { return time.toString(QStringLiteral("HH 時 mm 分")); }

CDlgSetting::CDlgSetting(QWidget* parent, TimeSource now)
    : QWidget(parent),
      now_(std::move(now)),
      hint_(new QLabel(QStringLiteral("テルノの時計とパソコンの時計を同期させます。\n"
                                      "パソコンの時計と同期させる場合は転送して下さい。"),
                       this)),
      caption_(new QLabel(QStringLiteral("現在の時刻"), this)),
      clock_(new QLabel(QStringLiteral("** 時 ** 分"), this)) {
    hint_->setObjectName(QStringLiteral("static1062"));
    caption_->setObjectName(QStringLiteral("static1064"));
    clock_->setObjectName(QStringLiteral("static1063"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFocusPolicy(Qt::StrongFocus);

    QFont font;
    font.setFamilies({QString::fromUtf8(kLabelFace), QStringLiteral("IPAGothic")});
    font.setPixelSize(16);
    for (QLabel* label : {hint_, caption_, clock_}) label->setFont(font);
    Place(hint_, 172, 80, 315, 32);
    Place(caption_, 305, 140, 138, 16);
    Place(clock_, 301, 180, 143, 16);

    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &CDlgSetting::RefreshClock);
}

void CDlgSetting::RefreshClock() {
    const QString text = FormatClockText(now_().time());
    if (text == shown_) return;
    clock_->setText(text);
    shown_ = text;
}

void CDlgSetting::StartClock() {
    RefreshClock();
    timer_.start();
}

void CDlgSetting::StopClock() { timer_.stop(); }

QString CDlgSetting::ClockText() const { return clock_->text(); }

void CDlgSetting::showEvent(QShowEvent* event) {
    setFocus();
    QWidget::showEvent(event);
}

bool CDlgSetting::event(QEvent* event) {
    // Keys held with Alt are the window's (menu access), not the page's.
    if (const auto* key = dynamic_cast<QKeyEvent*>(event);
        key && key->modifiers().testFlag(Qt::AltModifier)) {
        return QWidget::event(event);
    }
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F8) emit TransferRequested();
            event->accept();
            return true;
        case QEvent::KeyRelease:
            event->accept();
            return true;
        default:
            return QWidget::event(event);
    }
}
