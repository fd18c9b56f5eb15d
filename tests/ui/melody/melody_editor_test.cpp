// The melody editor window under real mouse events, with scripted boxes, a
// recording MIDI output and a simulated main window.
#include "melody/melody_editor.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
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

    bool boardOpen = false;
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
    Editor() : window({host, dialogs, midi, timer, QFont()}) { window.OpenEditor(); }

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
};

QTEST_MAIN(MelodyEditorTest)
#include "melody_editor_test.moc"
