// Handing a file from a later start to the running editor: the local socket
// between the two, and the queue that opens each file in its window.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <future>
#include <vector>

#include "file_requests.h"
#include "instance_channel.h"

namespace {

// The editor's windows, reduced to what they were asked.
class RecordingTarget : public IFileOpenTarget {
public:
    bool CanOpen(FileKind kind) const override {
        return kind == FileKind::Flowchart ? flowchartFree : melodyFree;
    }
    void Open(FileKind kind, const QString& path) override { opened.push_back({kind, path}); }
    void BringToFront() override { ++raised; }

    bool flowchartFree = true;
    bool melodyFree = true;
    std::vector<std::pair<FileKind, QString>> opened;
    int raised = 0;
};

// The later start runs in a thread of its own, as it runs in a process of its own.
std::future<bool> HandOverLater(const QString& socket, const QString& file, int timeoutMs) {
    return std::async(std::launch::async, [=] { return HandOverFile(socket, file, timeoutMs); });
}

bool Finish(std::future<bool>& result) {
    while (result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return result.get();
}

}  // namespace

class InstanceHandoverTest : public QObject {
    Q_OBJECT

private slots:
    void aLaterStartHandsItsFileOver_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "/home/pupil/chart.xml";
        QTest::newRow("japanese and spaces") << "/home/pupil/はじめての プログラム.xml";
        QTest::newRow("line feed in the name") << "/tmp/a\nb.mel";
    }
    void aLaterStartHandsItsFileOver() {
        QFETCH(QString, file);
        QTemporaryDir folder;
        InstanceListener listener;
        QVERIFY(listener.Listen(InstanceSocketPath(folder.path())));
        QSignalSpy requested(&listener, &InstanceListener::fileRequested);
        auto result = HandOverLater(InstanceSocketPath(folder.path()), file, 5000);
        QVERIFY(Finish(result));
        QCOMPARE(requested.count(), 1);
        QCOMPARE(requested.front().front().toString(), file);
    }

    // The later start may come while the running copy is still starting.
    void theLaterStartWaitsForTheListener() {
        QTemporaryDir folder;
        const QString socket = InstanceSocketPath(folder.path());
        auto result = HandOverLater(socket, "/a.xml", 5000);
        QTest::qWait(300);
        InstanceListener listener;
        QSignalSpy requested(&listener, &InstanceListener::fileRequested);
        QVERIFY(listener.Listen(socket));
        QVERIFY(Finish(result));
        QCOMPARE(requested.count(), 1);
    }

    void noRunningCopyMeansNoHandOver() {
        QTemporaryDir folder;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!HandOverFile(InstanceSocketPath(folder.path()), "/a.xml", 300));
        QVERIFY(clock.elapsed() < 3000);
    }

    // What a copy that crashed left behind does not keep the next one from listening.
    void aLeftOverSocketFileIsReplaced() {
        QTemporaryDir folder;
        const QString socket = InstanceSocketPath(folder.path());
        QFile stale(socket);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        InstanceListener listener;
        QVERIFY(listener.Listen(socket));
        QSignalSpy requested(&listener, &InstanceListener::fileRequested);
        auto result = HandOverLater(socket, "/b.xml", 5000);
        QVERIFY(Finish(result));
        QCOMPARE(requested.count(), 1);
    }

    void kindOfFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("melody");
        QTest::newRow("flowchart") << "/a/chart.xml" << false;
        QTest::newRow("melody") << "/a/tune.mel" << true;
        QTest::newRow("melody in capitals") << "/a/TUNE.MEL" << true;
        QTest::newRow("melody folder, flowchart file") << "/a.mel/chart.xml" << false;
        QTest::newRow("no extension") << "/a/chart" << false;
    }
    void kindOfFile() {
        QFETCH(QString, path);
        QFETCH(bool, melody);
        QCOMPARE(KindOfFile(path) == FileKind::Melody, melody);
    }

    // Each request brings the editor forward; files open in the order asked,
    // each in its own window.
    void requestsOpenInOrder() {
        RecordingTarget target;
        FileRequests requests(target, 10);
        requests.Request("/a.xml");
        requests.Request("/b.mel");
        requests.Request("/c.xml");
        QCOMPARE(target.raised, 3);
        QVERIFY(target.opened.empty());  // from the event loop, not inside the request
        QTRY_COMPARE(target.opened.size(), std::size_t{3});
        QCOMPARE(target.opened[0], std::make_pair(FileKind::Flowchart, QString("/a.xml")));
        QCOMPARE(target.opened[1], std::make_pair(FileKind::Melody, QString("/b.mel")));
        QCOMPARE(target.opened[2], std::make_pair(FileKind::Flowchart, QString("/c.xml")));
    }

    // A busy window keeps its file, and the files after it, until it is free.
    void aBusyWindowGetsItsFileLater() {
        RecordingTarget target;
        target.flowchartFree = false;
        FileRequests requests(target, 10);
        requests.Request("/a.xml");
        requests.Request("/b.mel");
        QTest::qWait(100);
        QVERIFY(target.opened.empty());
        QCOMPARE(requests.Pending(), std::size_t{2});
        target.flowchartFree = true;
        QTRY_COMPARE(target.opened.size(), std::size_t{2});
        QCOMPARE(target.opened[0].second, QString("/a.xml"));
        QCOMPARE(requests.Pending(), std::size_t{0});
    }
};

QTEST_GUILESS_MAIN(InstanceHandoverTest)
#include "instance_handover_test.moc"
