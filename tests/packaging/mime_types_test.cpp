// The editor's file types in a MIME database built as a system builds it
// (the freedesktop types and ours together): which files they claim, and that
// the desktop entry, the types and the icon theme name the same things.
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFlowchart = QStringLiteral("application/x-qen-flowchart");
const QString kMelody = QStringLiteral("application/x-qen-melody");
const QString kPackaging = QStringLiteral(QEN_PACKAGING_SOURCE);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of key in the desktop entry's main group.
QString DesktopValue(const QByteArray& entry, const QByteArray& key) {
    for (const QByteArray& line : entry.split('\n'))
        if (line.startsWith(key + '=')) return QString::fromUtf8(line.mid(key.size() + 1));
    return {};
}

// Every size of the icon theme holds the icon, and so does the scalable folder.
QStringList MissingIcons(const QString& context, const QString& name) {
    QStringList missing;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = QString("%1/icons/hicolor/%2x%2/%3/%4.png")
                                 .arg(kPackaging)
                                 .arg(size)
                                 .arg(context, name);
        if (!QFile::exists(path)) missing << path;
    }
    const QString svg =
        QString("%1/icons/hicolor/scalable/%2/%3.svg").arg(kPackaging, context, name);
    if (!QFile::exists(svg)) missing << svg;
    return missing;
}

}  // namespace

class MimeTypesTest : public QObject {
    Q_OBJECT

private slots:
    // Given the system's types and ours compiled into one database, as the
    // package's trigger does, and that database the only one in sight.
    void initTestCase() {
        QVERIFY(data_.isValid());
        const QString packages = data_.filePath("mime/packages");
        QVERIFY(QDir().mkpath(packages));
        QVERIFY(QFile::copy("/usr/share/mime/packages/freedesktop.org.xml",
                            packages + "/freedesktop.org.xml"));
        QVERIFY(QFile::copy(kPackaging + "/qen-editor-mime.xml", packages + "/qen-editor.xml"));
        qputenv("XDG_DATA_DIRS", data_.path().toUtf8());
        qputenv("XDG_DATA_HOME", data_.filePath("no-user-data").toUtf8());
        QProcess update;
        update.start("update-mime-database", {data_.filePath("mime")});
        QVERIFY(update.waitForFinished(60000));
        QCOMPARE(update.exitCode(), 0);
        // A fault in our file is only a warning to the tool.
        QCOMPARE(QString::fromUtf8(update.readAllStandardError()), QString());
        QVERIFY(files_.isValid());
    }

    void typeOfFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        const QByteArray chart = ReadAll(QStringLiteral(QEN_SAMPLE_CHART));
        QVERIFY(chart.contains("<qex>"));
        const QByteArray prolog = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
        QTest::newRow("saved flowchart") << "chart.xml" << chart << kFlowchart;
        QTest::newRow("flowchart without extension") << "chart" << chart << kFlowchart;
        QTest::newRow("root with attributes") << "a.xml" << prolog + "<qex version=\"1\">\n</qex>\n"
                                              << kFlowchart;
        QTest::newRow("empty root, no prolog") << "b.xml" << QByteArray("<qex/>\n") << kFlowchart;
        QTest::newRow("other root") << "other.xml" << prolog + "<catalog>\n</catalog>\n"
                                    << "application/xml";
        QTest::newRow("root that starts like qex") << "c.xml" << prolog + "<qexample/>\n"
                                                   << "application/xml";
        QTest::newRow("other root, no prolog")
            << "d.xml" << QByteArray("<catalog/>\n") << "application/xml";
        QTest::newRow("melody") << "tune.mel" << QByteArray("tune\r\n120\r\n0\r\n3,40,0,0,0\r\n")
                                << kMelody;
        QTest::newRow("empty melody") << "empty.mel" << QByteArray() << kMelody;
    }

    // When a file manager asks for a file's type, then only flowcharts and
    // melodies are the editor's, whatever other XML is around.
    void typeOfFile() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = files_.filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name(), expected);
    }

    // The types the desktop entry opens are the ones defined, the editor takes
    // the file as an argument, and every icon named has all its sizes.
    void desktopEntryAgrees() {
        const QByteArray entry = ReadAll(QStringLiteral(QEN_DESKTOP_FILE));
        QVERIFY(!entry.isEmpty());
        QCOMPARE(DesktopValue(entry, "MimeType"), kFlowchart + ';' + kMelody + ';');
        QVERIFY(DesktopValue(entry, "Exec").contains("%f"));
        QCOMPARE(MissingIcons("apps", DesktopValue(entry, "Icon")), QStringList());
        for (const QString& name : {kFlowchart, kMelody}) {
            const QMimeType type = QMimeDatabase().mimeTypeForName(name);
            QVERIFY2(type.isValid(), qPrintable(name));
            QCOMPARE(MissingIcons("mimetypes", type.iconName()), QStringList());
        }
    }

private:
    QTemporaryDir data_;
    QTemporaryDir files_;
};

QTEST_GUILESS_MAIN(MimeTypesTest)
#include "mime_types_test.moc"
