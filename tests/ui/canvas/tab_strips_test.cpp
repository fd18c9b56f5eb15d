// The work area's image tab strips: loading, hit tests, failures and drawing.
#include <QImage>
#include <QPainter>
#include <QTest>
#include <string>
#include <vector>

#include "canvas/tab_strips.h"
#include "recording_notifier.h"

class TabStripsTest : public QObject {
    Q_OBJECT

private slots:
    void tabStripsLoadTheirImages() {
        RecordingNotifier notifier;
        CTopTabManager top;
        CBottomTabManager bottom;
        QVERIFY(top.Load(notifier));
        QVERIFY(bottom.Load(notifier));
        QVERIFY(notifier.messages.empty());
        QCOMPARE(top.Size(), QSize(384, 24));
        QCOMPARE(bottom.Size(), QSize(512, 24));
        QCOMPARE(bottom.TabRect(3), QRect(384, 0, 128, 48));
        QCOMPARE(top.Selected(), 0);
    }

    void tabHitTestStaysInsideTheStrip() {
        RecordingNotifier notifier;
        CBottomTabManager bottom;
        bottom.Load(notifier);
        QCOMPARE(bottom.HitTest(0, 0), 0);
        QCOMPARE(bottom.HitTest(127, 23), 0);
        QCOMPARE(bottom.HitTest(128, 10), 1);
        QCOMPARE(bottom.HitTest(511, 10), 3);
        QCOMPARE(bottom.HitTest(512, 10), -1);
        QCOMPARE(bottom.HitTest(10, -1), -1);
        // The images are 48 high, but their lower half is never on screen.
        QCOMPARE(bottom.HitTest(10, 24), -1);
    }

    void tabStripFailureEmptiesTheStrip() {
        RecordingNotifier notifier;
        CTopTabManager top({":/images/tabs/top_flowchart.png", ":/missing.png"});
        QVERIFY(!top.Load(notifier));
        QCOMPARE(notifier.messages, std::vector<std::string>{"トップタブ画像の読み込み失敗"});
        QCOMPARE(top.Size(), QSize(0, 24));
        QCOMPARE(top.Count(), 0);
        QCOMPARE(top.HitTest(10, 10), -1);

        CBottomTabManager bottom({":/missing.png"});
        QVERIFY(!bottom.Load(notifier));
        QCOMPARE(notifier.messages.back(), std::string("ボトムタブ画像の読み込み失敗"));
    }

    void selectedTabShowsTheUpperHalf() {
        RecordingNotifier notifier;
        CTopTabManager top;
        top.Load(notifier);
        top.Select(1);
        QImage target(400, 60, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::black);
        {
            QPainter painter(&target);
            top.Draw(painter, 30);
        }
        const QImage flowchart = QImage(":/images/tabs/top_flowchart.png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage clock = QImage(":/images/tabs/top_clock.png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // A point inside each tab's opaque body.
        QCOMPARE(target.pixel(20, 30 + 20), flowchart.pixel(20, 24 + 20));  // not selected: lower half
        QCOMPARE(target.pixel(128 + 20, 30 + 20), clock.pixel(20, 20));     // selected: upper half
        QCOMPARE(target.pixel(390, 40), qRgb(0, 0, 0));                    // beyond the strip
        QCOMPARE(target.pixel(20, 10), qRgb(0, 0, 0));                     // above it
    }
};

QTEST_MAIN(TabStripsTest)
#include "tab_strips_test.moc"
