// The melody editor window under real mouse events, with scripted boxes, a
// recording MIDI output and a simulated main window.
#include "melody/melody_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <mutex>

#include "melody/melody_dialogs.h"
#include "melody_image.h"

namespace {

class FakeHost : public IMelodyEditorHost {
public:
    bool BoardOpen() const override { return boardOpen; }
    bool RequestMelodyTransfer(const MelodyImage& image) override {
        transfers.push_back(image);
        return true;
    }
    void SetMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    QSize FrameMargins() const override { return frameMargins; }

    bool boardOpen = false;
    QSize frameMargins;
    bool mainEnabled = true;
    std::vector<MelodyImage> transfers;
};

class ScriptedDialogs : public IMelodyDialogs {
public:
    void Notify(std::string_view text, MessageSeverity) override { messages.emplace_back(text); }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest& request) override {
        filters.emplace_back(request.filter);
        return path;
    }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) override {
        filters.emplace_back(request.filter);
        return path;
    }
    void RunPlaybackBox() override {
        if (whilePlaying) whilePlaying();
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> filters;
    std::deque<bool> answers;
    std::optional<std::string> path;
    std::function<void()> whilePlaying;
};

// Used from the playback thread.
class RecordingMidi : public IMidiOutput {
public:
    bool Open() override { return open_ = true; }
    bool IsOpen() const override { return open_; }
    void NoteOn(std::uint8_t note) override { Add("on " + std::to_string(note)); }
    void NoteOff(std::uint8_t note) override { Add("off " + std::to_string(note)); }
    void Close() override { open_ = false; }
    std::vector<std::string> Log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

private:
    void Add(std::string line) {
        std::lock_guard lock(mutex_);
        log_.push_back(std::move(line));
    }
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
    bool open_ = false;
};

// Notes and rests take no time.
class InstantTimer : public IPlaybackTimer {
public:
    bool Wait(const StopEvent& stop, std::chrono::milliseconds) override { return stop.IsSet(); }
};

struct Editor {
    explicit Editor(QSize frameMargins = {}) : window({host, dialogs, midi, timer, QFont()}) {
        host.frameMargins = frameMargins;
        window.OpenEditor();
    }

    // A click on the staff at a point of the strip.
    void Place(int x, int y) {
        QTest::mouseClick(window.Canvas(), Qt::LeftButton, {},
                          CDlgToolMelody::kStrip.topLeft() + QPoint(x, y));
    }
    void Remove(int x, int y) {
        QTest::mouseClick(window.Canvas(), Qt::RightButton, {},
                          CDlgToolMelody::kStrip.topLeft() + QPoint(x, y));
    }
    void PickPalette(int type) {
        QTest::mouseClick(window.Canvas(), Qt::LeftButton, {},
                          CDlgToolMelody::kPaletteOrigin + QPoint((type - 1) * 32 + 16, 16));
    }
    // The entries after the clef marker.
    std::vector<MelodyNote> Entries() const {
        std::vector<MelodyNote> notes = window.Melody().Notes();
        notes.erase(notes.begin());
        return notes;
    }

    FakeHost host;
    ScriptedDialogs dialogs;
    RecordingMidi midi;
    InstantTimer timer;
    CDlgToolMelody window;
};

const QString kBase = QStringLiteral("テルノエディタ メロディエディタ　　");

}  // namespace

class MelodyEditorTest : public QObject {
    Q_OBJECT

private slots:
    void opensEmptyAndDisablesTheMainWindow() {
        Editor e;
        QVERIFY(e.window.isVisible());
        QVERIFY(!e.host.mainEnabled);
        QCOMPARE(e.window.windowTitle(), kBase + QStringLiteral("新規メロディファイル"));
        QCOMPARE(e.window.StatusText(), QStringLiteral("音符・休符　　000/100"));
        QCOMPARE(e.window.TempoEdit()->text(), QStringLiteral("120"));
        QCOMPARE(e.window.SelectedType(), 3);
    }

    // The drop point is brought to the 16 x 4 grid; x only orders the entry.
    void placesTheChosenSymbolAndRemovesItWithTheRightButton() {
        Editor e;
        e.PickPalette(4);
        QCOMPARE(e.window.SelectedType(), 4);
        e.window.FlatBox()->setChecked(true);
        e.Place(37, 42);  // y 42 goes to 44
        QCOMPARE(e.Entries().size(), std::size_t{1});
        QCOMPARE(e.Entries()[0], (MelodyNote{4, 0, 1, 0, 48, 44}));
        QCOMPARE(e.window.StatusText(), QStringLiteral("音符・休符　　001/100"));
        QVERIFY(e.window.windowTitle().endsWith(QLatin1Char('*')));
        // Its filled head is drawn where it sits, between two staff lines.
        const QPoint head = CDlgToolMelody::kStrip.topLeft() + QPoint(48, 44);
        QVERIFY(qGray(e.window.Canvas()->grab().toImage().pixel(head)) < 100);

        // A rest always sits on the middle line; placed before the note at x 48.
        e.PickPalette(8);
        e.Place(40, 13);
        QCOMPARE(e.Entries()[0], (MelodyNote{8, 0, 1, 0, 48, 40}));
        QCOMPARE(e.Entries()[1].x, 48 + 128);

        e.Remove(48, 40);
        QCOMPARE(e.Entries().size(), std::size_t{1});
        QCOMPARE(e.Entries()[0].type, 4);
        QCOMPARE(qGray(e.window.Canvas()->grab().toImage().pixel(head + QPoint(128, 0))), 255);
        // A right click beside every entry removes nothing.
        e.Remove(400, 40);
        QCOMPARE(e.Entries().size(), std::size_t{1});
        QCOMPARE(e.window.StatusText(), QStringLiteral("音符・休符　　001/100"));
    }

    void refusesTheHundredAndFirstUntilOneIsRemoved() {
        Editor e;
        e.PickPalette(5);
        for (int i = 0; i < 100; ++i) e.Place(880, 40);
        QCOMPARE(e.window.StatusText(), QStringLiteral("音符・休符　　100/100"));
        // Appending past the strip's width scrolls to the end.
        QCOMPARE(e.window.ScrollBar()->value(), e.window.ScrollBar()->maximum());
        QVERIFY(e.window.ScrollOffset() > 0);
        e.Place(880, 40);
        QCOMPARE(e.dialogs.messages,
                 std::vector<std::string>{"貼り付けできません(使用可能な音符・休符は100個です)"});
        QCOMPARE(e.window.Melody().CountNotes(), 100);
        e.Remove(e.Entries().back().x - e.window.ScrollOffset(), 40);
        e.Place(880, 40);
        QCOMPARE(e.window.Melody().CountNotes(), 100);
        QCOMPARE(e.dialogs.messages.size(), std::size_t{1});
    }

    void scrollingOneLineMovesTheStaffBySixteenPixels() {
        Editor e;
        QScrollBar* bar = e.window.ScrollBar();
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(e.window.ScrollOffset(), 16);
        // A click now lands 16 pixels further along the melody.
        e.Place(0, 40);
        e.Remove(48 - 16, 40);
        QCOMPARE(e.window.Melody().CountNotes(), 0);
    }

    void savesTitleTempoAndRepeatAndReadsThemBack() {
        Editor e;
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("tune.mel")).toStdString();
        e.Place(0, 64);
        e.window.SharpBox()->setChecked(true);
        e.window.DottedBox()->setChecked(true);
        e.Place(100, 20);
        QTest::keyClicks(e.window.TitleEdit(), QStringLiteral("Song"));
        e.window.TempoEdit()->selectAll();
        QTest::keyClicks(e.window.TempoEdit(), QStringLiteral("300"));
        QTest::mouseClick(e.window.RepeatBox(), Qt::LeftButton);
        e.dialogs.path = path;
        e.window.OnCommand(MelodyMenuId::Save);

        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Song\r\n200\r\n1\r\n3,64,0,0,0\r\n3,20,1,0,1\r\n"));
        QCOMPARE(e.dialogs.filters.back(), std::string("メロディ ファイル (*.mel)|*.mel||"));
        QCOMPARE(e.window.TempoEdit()->text(), QStringLiteral("200"));
        QCOMPARE(e.window.windowTitle(), kBase + dir.path() + QStringLiteral("/tune.mel"));

        // New needs no question once saved; open brings everything back.
        e.window.OnCommand(MelodyMenuId::New);
        QVERIFY(e.dialogs.questions.empty());
        QCOMPARE(e.window.Melody().CountNotes(), 0);
        QVERIFY(!e.window.RepeatBox()->isChecked());
        e.window.OnCommand(MelodyMenuId::Open);
        QCOMPARE(e.window.TitleEdit()->text(), QStringLiteral("Song"));
        QCOMPARE(e.window.TempoEdit()->text(), QStringLiteral("200"));
        QVERIFY(e.window.RepeatBox()->isChecked());
        QCOMPARE(e.Entries().size(), std::size_t{2});
        QCOMPARE(e.Entries()[1], (MelodyNote{3, 1, 0, 1, 48 + 128, 20}));
        QCOMPARE(e.window.StatusText(), QStringLiteral("音符・休符　　002/100"));
        QVERIFY(!e.window.Modified());
    }

    void aFailedReadLeavesANewEmptyMelody() {
        Editor e;
        e.dialogs.path = "/nonexistent/folder/tune.mel";
        e.window.OnCommand(MelodyMenuId::Open);
        QCOMPARE(e.dialogs.messages, std::vector<std::string>{"読み込みに失敗しました"});
        QCOMPARE(e.window.windowTitle(), kBase + QStringLiteral("新規メロディファイル"));
    }

    void newAndCloseAskBeforeDiscardingChanges() {
        Editor e;
        e.Place(0, 40);
        e.dialogs.answers = {false};
        e.window.OnCommand(MelodyMenuId::New);
        QCOMPARE(e.dialogs.questions.back(),
                 std::string("未保存のデータは破棄します。よろしいですか。"));
        QCOMPARE(e.window.Melody().CountNotes(), 1);

        e.dialogs.answers = {false};
        QTest::keyClick(&e.window, Qt::Key_Escape);
        QCOMPARE(e.dialogs.questions.back(),
                 std::string("未保存のデータがあります。終了しますか。"));
        QVERIFY(e.window.isVisible());

        e.dialogs.answers = {true};
        e.window.close();
        QVERIFY(!e.window.isVisible());
        QVERIFY(!e.window.IsOpen());
        QVERIFY(e.host.mainEnabled);
        e.window.OpenEditor();
        QCOMPARE(e.window.Melody().CountNotes(), 0);
        QCOMPARE(e.window.windowTitle(), kBase + QStringLiteral("新規メロディファイル"));
    }

    // Without repeat the melody ends by itself while the box stays open.
    void playsTheNotesThroughTheMidiOutput() {
        Editor e;
        e.Place(0, 64);  // middle C
        e.PickPalette(8);
        e.Place(100, 40);  // a rest sounds nothing
        e.PickPalette(3);
        e.window.FlatBox()->setChecked(true);
        e.window.SharpBox()->setChecked(true);
        e.Place(200, 40);  // both signs: the natural note
        bool endedInBox = false;
        e.dialogs.whilePlaying = [&] {
            QTRY_VERIFY_WITH_TIMEOUT(!e.window.Playing(), 5000);
            endedInBox = true;
        };
        e.window.OnCommand(MelodyMenuId::Play);
        QVERIFY(endedInBox);
        QCOMPARE(e.midi.Log(), (std::vector<std::string>{"on 60", "off 60", "on 71", "off 71"}));
    }

    void transfersTheMelodyImageOnlyWithABoard() {
        Editor e;
        e.Place(0, 44);  // note 69
        QTest::keyClicks(e.window.TitleEdit(), QStringLiteral("AB"));
        e.window.UpdateMenuStates();
        QVERIFY(!e.window.Action(MelodyMenuId::Transfer)->isEnabled());
        QTest::keyClick(&e.window, Qt::Key_F8);
        e.window.OnCommand(MelodyMenuId::Transfer);
        QVERIFY(e.host.transfers.empty());

        e.host.boardOpen = true;
        e.window.UpdateMenuStates();
        QVERIFY(e.window.Action(MelodyMenuId::Transfer)->isEnabled());
        e.window.OnCommand(MelodyMenuId::Transfer);
        QCOMPARE(e.host.transfers.size(), std::size_t{1});
        const MelodyImage& image = e.host.transfers[0];
        const std::vector<std::uint8_t> head(image.begin(), image.begin() + 4);
        QCOMPARE(head, (std::vector<std::uint8_t>{0x00, 'A', 0x00, 'B'}));
        const std::vector<std::uint8_t> entries(image.begin() + 32, image.begin() + 48);
        QCOMPARE(entries, (std::vector<std::uint8_t>{0x00, 0x01, 0x06, 0xA9, 0x01, 0xF4, 0x00, 0x01,
                                                     0, 0, 0, 0, 0, 0, 0, 0xFF}));
        QCOMPARE(image[48], std::uint8_t{0xFF});
        QCOMPARE(e.window.MelodyImageManager().Image(), image);
    }

    // The file items, the close item and help carry the shortcuts of every
    // desktop program, shown in the menu and run from the keyboard.
    void menuItemsCarryTheStandardShortcuts() {
        Editor e;
        const std::pair<int, QKeySequence> shortcuts[] = {
            {MelodyMenuId::New, QKeySequence(Qt::CTRL | Qt::Key_N)},
            {MelodyMenuId::Open, QKeySequence(Qt::CTRL | Qt::Key_O)},
            {MelodyMenuId::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
            {MelodyMenuId::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
            {MelodyMenuId::Close, QKeySequence(Qt::CTRL | Qt::Key_Q)},
            {MelodyMenuId::Help, QKeySequence(Qt::Key_F1)},
            {MelodyMenuId::Transfer, QKeySequence(Qt::Key_F8)},
        };
        for (const auto& [id, keys] : shortcuts) QCOMPARE(e.window.Action(id)->shortcut(), keys);
        QCOMPARE(e.window.Action(MelodyMenuId::Play)->shortcut(), QKeySequence());
    }

    void fileKeysRunTheFileCommands() {
        Editor e;
        e.window.activateWindow();  // shortcuts go to the active window
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        QTemporaryDir dir;
        const std::string first = dir.filePath(QStringLiteral("first.mel")).toStdString();
        const std::string second = dir.filePath(QStringLiteral("second.mel")).toStdString();
        e.Place(0, 40);
        e.dialogs.path = first;
        QTest::keyClick(&e.window, Qt::Key_S, Qt::ControlModifier);  // new: save as
        QVERIFY(QFile::exists(QString::fromStdString(first)));
        QVERIFY(!e.window.Modified());
        e.dialogs.path = second;
        QTest::keyClick(&e.window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QFile::exists(QString::fromStdString(second)));
        QVERIFY(e.window.windowTitle().endsWith(QStringLiteral("second.mel")));

        e.Place(16, 40);
        e.dialogs.answers = {false};
        QTest::keyClick(&e.window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(e.dialogs.questions.back(),
                 std::string("未保存のデータは破棄します。よろしいですか。"));
        QCOMPARE(e.window.Melody().CountNotes(), 2);
        e.dialogs.answers = {true};
        QTest::keyClick(&e.window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(e.window.Melody().CountNotes(), 0);

        e.dialogs.path = first;
        QTest::keyClick(&e.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(e.window.Melody().CountNotes(), 1);
        QVERIFY(e.window.windowTitle().endsWith(QStringLiteral("first.mel")));

        QTest::keyClick(&e.window, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!e.window.IsOpen());
        QVERIFY(e.host.mainEnabled);
    }

    // No help pages beside the test: the help's failure box shows, in the editor's caption.
    void helpKeyOpensTheEditorsHelp() {
        Editor e;
        e.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        QString caption;
        QTimer::singleShot(0, [&caption] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                caption = box->windowTitle() + " " + box->text();
                box->close();
            }
        });
        QTest::keyClick(&e.window, Qt::Key_F1);
        QCOMPARE(caption, QStringLiteral("テルノエディタ メロディエディタ　　 ヘルプファイルが見つかりません"));
    }

    // A melody handed to the editor opens as the open command does.
    void openingByPathAsksBeforeDiscarding() {
        Editor e;
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("tune.mel")).toStdString();
        e.Place(0, 40);
        e.dialogs.path = path;
        e.window.OnCommand(MelodyMenuId::Save);
        e.window.OnCommand(MelodyMenuId::New);
        e.Place(0, 40);
        e.Place(16, 40);

        e.dialogs.answers = {false};
        QVERIFY(!e.window.OpenMelodyPath(path));
        QCOMPARE(e.dialogs.questions.back(),
                 std::string("未保存のデータは破棄します。よろしいですか。"));
        QCOMPARE(e.window.Melody().CountNotes(), 2);
        e.dialogs.answers = {true};
        QVERIFY(e.window.OpenMelodyPath(path));
        QCOMPARE(e.window.Melody().CountNotes(), 1);
        QVERIFY(e.window.windowTitle().endsWith(QStringLiteral("tune.mel")));
        QVERIFY(!e.window.OpenMelodyPath("/nonexistent/tune.mel"));
        QCOMPARE(e.dialogs.messages.back(), std::string("読み込みに失敗しました"));
    }

    // x: a remainder of 7 snaps down, 8 up, and the column decides whether the
    // new symbol goes before the note at x 48 or after it.
    void theDropPointSnapsAtItsBoundaries() {
        struct Case {
            int x;
            int y;
            bool first;
            int noteY;
        };
        for (const Case c : {Case{55, 41, true, 40}, Case{56, 41, false, 40},
                             Case{55, 42, true, 44}, Case{56, 42, false, 44}}) {
            Editor e;
            e.Place(200, 64);  // the first entry, at x 48
            e.PickPalette(2);
            e.Place(c.x, c.y);
            const std::vector<MelodyNote> entries = e.Entries();
            QCOMPARE(entries.size(), std::size_t{2});
            const MelodyNote& placed = c.first ? entries[0] : entries[1];
            QCOMPARE(placed.type, 2);
            QCOMPARE(placed.y, c.noteY);  // y 41 stays on 40, y 42 goes to 44
        }
        // A rest ignores the row it was dropped on.
        Editor e;
        e.PickPalette(9);
        e.Place(0, 70);
        QCOMPARE(e.Entries()[0].y, 40);
    }

    // Units of 16 pixels up to the melody's width and 32 more; the last
    // position still shows a whole strip of 56 units.
    void theScrollRangeFollowsTheMelodysWidth() {
        Editor e;
        QCOMPARE(e.window.ScrollBar()->pageStep(), 56);
        QCOMPARE(e.window.ScrollBar()->maximum(), 896 / 16 - 56 + 1);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.mel"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("long\r\n120\r\n0\r\n");
        for (int i = 0; i < 20; ++i) file.write("1,44,0,0,0\r\n");  // 20 whole notes
        file.close();
        e.dialogs.path = path.toStdString();
        e.window.OnCommand(MelodyMenuId::Open);
        // Width 48 + 20 x 512 = 10288: (10288 + 32) / 16 = 645 units.
        QCOMPARE(e.window.ScrollBar()->maximum(), 645 - 56 + 1);
        e.window.ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(e.window.ScrollOffset(), 590 * 16);
        // The last note (x 9776) is on the strip.
        e.Remove(9776 - 590 * 16, 44);
        QCOMPARE(e.window.Melody().CountNotes(), 19);
    }

    // Play, transfer and MIDI export read the tempo field limited to 40-200
    // and put the limited value back.
    void theLimitedTempoIsWrittenBack() {
        Editor e;
        e.Place(0, 44);
        const auto setTempo = [&](const char* text) {
            e.window.TempoEdit()->selectAll();
            QTest::keyClicks(e.window.TempoEdit(), QString::fromLatin1(text));
        };
        setTempo("300");
        e.window.OnCommand(MelodyMenuId::Play);
        QCOMPARE(e.window.TempoEdit()->text(), QStringLiteral("200"));

        setTempo("10");
        e.host.boardOpen = true;
        e.window.OnCommand(MelodyMenuId::Transfer);
        QCOMPARE(e.window.TempoEdit()->text(), QStringLiteral("40"));
        // A quarter at tempo 40 lasts 1500 ms (0x05DC).
        QCOMPARE(e.host.transfers.at(0)[36], std::uint8_t{0x05});
        QCOMPARE(e.host.transfers.at(0)[37], std::uint8_t{0xDC});

        QTemporaryDir dir;
        e.dialogs.path = dir.filePath(QStringLiteral("tune.mid")).toStdString();
        setTempo("999");
        e.window.OnCommand(MelodyMenuId::ExportMidi);
        QCOMPARE(e.window.TempoEdit()->text(), QStringLiteral("200"));
    }

    // Only typing is limited to 16 characters: a longer title from a file is
    // shown and saved whole, and typing cannot lengthen it.
    void aLongTitleFromAFileIsKeptWhole() {
        Editor e;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.mel"));
        const QString title = QStringLiteral("ABCDEFGHIJKLMNOPQRST");  // 20 characters
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(title.toLatin1() + "\r\n120\r\n0\r\n");
        file.close();
        e.dialogs.path = path.toStdString();
        e.window.OnCommand(MelodyMenuId::Open);
        QCOMPARE(e.window.TitleEdit()->text(), title);

        e.window.TitleEdit()->end(false);
        QTest::keyClicks(e.window.TitleEdit(), QStringLiteral("U"));
        QCOMPARE(e.window.TitleEdit()->text(), title);
        QVERIFY(!e.window.Modified());
        e.window.OnCommand(MelodyMenuId::Save);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), title.toLatin1() + "\r\n120\r\n0\r\n");
        file.close();

        // Shortened below 16, it takes typing again up to 16.
        for (int i = 0; i < 5; ++i) QTest::keyClick(e.window.TitleEdit(), Qt::Key_Backspace);
        QTest::keyClicks(e.window.TitleEdit(), QStringLiteral("xyz"));
        QCOMPARE(e.window.TitleEdit()->text(), QStringLiteral("ABCDEFGHIJKLMNOx"));
        QVERIFY(e.window.Modified());
        // New brings back the plain limit.
        e.dialogs.answers = {true};
        e.window.OnCommand(MelodyMenuId::New);
        QTest::keyClicks(e.window.TitleEdit(), title);
        QCOMPARE(e.window.TitleEdit()->text(), title.left(16));
    }

    void aRightClickOnAnEmptyPartOfTheStaffMarksTheMelodyModified() {
        Editor e;
        QVERIFY(!e.window.Modified());
        e.Remove(400, 40);
        QVERIFY(e.window.Modified());
        QCOMPARE(e.window.windowTitle(), kBase + QStringLiteral("新規メロディファイル*"));
        QCOMPARE(e.window.StatusText(), QStringLiteral("音符・休符　　000/100"));
    }

    void writesTheTuneAsAMidiFileFromTheFileMenu() {
        Editor e;
        const QList<QAction*> items = e.window.menuBar()->actions().at(0)->menu()->actions();
        QCOMPARE(items.at(4), e.window.Action(MelodyMenuId::ExportMidi));
        QCOMPARE(items.at(4)->text(), QStringLiteral("MIDIファイルに書き出し..."));

        QTemporaryDir dir;
        e.Place(0, 44);
        QTest::keyClicks(e.window.TitleEdit(), QStringLiteral("AB"));
        e.dialogs.path = dir.filePath(QStringLiteral("tune.mel")).toStdString();
        e.window.OnCommand(MelodyMenuId::SaveAs);
        e.dialogs.path = dir.filePath(QStringLiteral("tune.mid")).toStdString();
        e.window.OnCommand(MelodyMenuId::ExportMidi);
        QCOMPARE(e.dialogs.filters.back(), std::string("MIDI ファイル (*.mid)|*.mid||"));
        QFile midi(dir.filePath(QStringLiteral("tune.mid")));
        QVERIFY(midi.open(QIODevice::ReadOnly));
        const QByteArray bytes = midi.readAll();
        QVERIFY(bytes.startsWith("MThd"));
        QVERIFY(
            bytes.contains(QByteArray("\xFF\x03\x02"
                                      "AB",
                                      5)));
        QVERIFY(bytes.contains(QByteArray("\x00\x90\x45\x70", 4)));  // note 69 at once
        // The melody's own file and state are untouched.
        QVERIFY(!e.window.Modified());
        QVERIFY(e.window.windowTitle().endsWith(QStringLiteral("tune.mel")));
        QVERIFY(e.dialogs.messages.empty());
    }

    void opensCentredOnTheScreen() {
        QWidget probe;  // the window system's frame, as the main window has it
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        Editor e(probe.frameGeometry().size() - probe.size());
        QVERIFY(QTest::qWaitForWindowExposed(&e.window));
        const QPoint offset =
            e.window.frameGeometry().center() - e.window.screen()->availableGeometry().center();
        // Within the pixel that halving an even size leaves.
        QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        // Moved, it opens there again next time.
        e.window.move(20, 30);
        const QPoint moved = e.window.pos();
        QVERIFY(e.window.CloseEditor());
        e.window.OpenEditor();
        QCOMPARE(e.window.pos(), moved);
    }
};

QTEST_MAIN(MelodyEditorTest)
#include "melody_editor_test.moc"
