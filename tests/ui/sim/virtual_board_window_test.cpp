// The virtual board window on the offscreen platform, over a simulated board on a manual
// clock: outputs, inputs, clock, speed and steps, program states and reasons, sounds.
#include "sim/virtual_board_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>
#include <vector>

#include "sim/board_lamps.h"
#include "sim/board_sound.h"
#include "simulated_board.h"

namespace {

using namespace std::chrono_literals;
using Code = std::array<std::uint8_t, 8>;

class RecordingSound : public IBoardSound {
public:
    void Play(const SoundPattern& pattern, int volume) override {
        played.push_back({pattern, volume});
    }
    void Stop() override { ++stops; }
    std::vector<std::pair<SoundPattern, int>> played;
    int stops = 0;
};

// The board with a window over it; the program goes in as the editor sends it.
struct Rig {
    Rig() {
        UsbDeviceInfo info;
        board.Open(std::string(SimulatedBoard::kDevicePath), info);
    }

    void Send(const Payload& payload, std::chrono::milliseconds pause) {
        clock.SleepFor(pause);
        board.Write(FrameReport(payload));
    }
    // Entries 1.. of the main chart, entry 0 naming slot 1 as the start; then the run.
    void Run(const std::vector<Code>& program) {
        NuvoProgramManager::Image image;
        image[0].code = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
        for (std::size_t i = 0; i < program.size(); ++i) image[i + 1].code = program[i];
        Send(BuildProgramHeader(StorageArea::Save1), 100ms);
        for (int n = 0; n < kProgramBlockCount; ++n)
            Send(BuildProgramBlock(StorageArea::Save1, image, n), n == 0 ? 100ms : 10ms);
        Send(BuildControlReport(ControlValue::Run), 10ms);
    }
    void After(std::chrono::milliseconds time) {
        clock.SleepFor(time);
        window.Refresh();
    }

    ManualLinkClock clock;
    SimulatedBoard board{clock};
    RecordingSound sound;
    CDlgVirtualBoard window{board, &sound};
};

constexpr Code kStart{0x7F, 0x01, 0, 0, 0, 0, 0, 0x02};

}  // namespace

class VirtualBoardWindowTest : public QObject {
    Q_OBJECT

private slots:
    void isAWindowOfItsOwnThatDoesNotKeepTheEditorRunning() {
        Rig r;
        QVERIFY(r.window.isWindow());
        QVERIFY(!r.window.testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(r.window.windowTitle(), QStringLiteral("仮想テルノ"));
    }

    void showsTheOutputsOfTheRunningProgram() {
        Rig r;
        r.Run({kStart,
               {0x3F, 0x21, 0x80, 0x00, 0xF0, 0, 0, 0x03},  // red
               {0x2F, 0x23, 0x80, 0, 0, 0, 0, 0x04},        // white LED on
               {0x2F, 0x24, 0x80, 0, 0, 0, 0, 0x05},        // USB power on
               {0x37, 0x27, 0x82, 0x01, 0, 0, 0, 0x06},     // buzzer, 中
               {0x3F, 0x2B, 0x40, 0, 7, 30, 0, 0x07},       // alarm 07:30
               {0x37, 0x28, 0x00, 0x64, 0, 0, 0, 0xFE}});   // wait 10 s
        r.After(10ms);
        QCOMPARE(r.window.ColourLed()->ShownAt(0), QColor(255, 0, 0));
        QVERIFY(r.window.WhiteLed()->IsOn());
        QVERIFY(r.window.UsbPower()->IsOn());
        QVERIFY(!r.window.Output3()->IsOn());
        QCOMPARE(r.window.SoundLabel()->text(), QStringLiteral("ブザー（中）"));
        QCOMPARE(r.window.AlarmLabel()->text(), QStringLiteral("07:30"));
        QCOMPARE(r.window.StateLabel()->text(), QStringLiteral("実行中"));
        QCOMPARE(r.window.ReasonLabel()->text(), QString());
        QCOMPARE(r.sound.played.size(), std::size_t{1});
        QCOMPARE(r.sound.played[0].first, PatternOf(SoundKind::Buzzer, {}));
        QCOMPARE(r.sound.played[0].second, 2);

        // The wait has no next symbol: an execution error, with its reason; the sound stops.
        r.After(10s);
        QCOMPARE(r.window.StateLabel()->text(), QStringLiteral("実行エラー"));
        QCOMPARE(r.window.ReasonLabel()->text(),
                 QStringLiteral("スロット7の図記号から先へ線がつながっていません。"));
        QCOMPARE(r.window.SoundLabel()->text(), QStringLiteral("なし"));
        QCOMPARE(r.sound.stops, 1);
        QCOMPARE(r.sound.played.size(), std::size_t{1});
    }

    void theLedFadesWhenItsInstructionSaysSo() {
        Rig r;
        r.Run({kStart, {0x3F, 0x21, 0x82, 0x00, 0xF0, 0, 0, 0x03},  // red, fading in
               {0x37, 0x28, 0x00, 0x64, 0, 0, 0, 0x03}});
        r.After(10ms);
        // Still dark when the change began, red a second later.
        QCOMPARE(r.window.ColourLed()->ShownAt(0), LedColour(0));
        QCOMPARE(r.window.ColourLed()->ShownAt(1'000'000), QColor(255, 0, 0));

        CColourLedLamp lamp;
        lamp.SetColour(QColor(255, 0, 0), true, 1000);
        QCOMPARE(lamp.ShownAt(1500).red(), 160);  // half way from dark grey (64)
        QCOMPARE(lamp.ShownAt(2000), QColor(255, 0, 0));
        QVERIFY(!lamp.Tick(2000));
    }

    void theInputsGoToTheBoard() {
        Rig r;
        r.window.LightSlider()->setValue(120);
        r.window.TemperatureSlider()->setValue(-5);
        r.window.SoundSlider()->setValue(255);
        r.window.SwitchBox()->setChecked(true);
        const StatusReport status = r.board.Status();
        QCOMPARE(status.light, std::uint16_t{120});
        QCOMPARE(status.temperature, std::uint16_t{0xFFFB});
        QCOMPARE(status.sound, std::uint16_t{255});
        QCOMPARE(status.switchState, std::uint8_t{1});
        QCOMPARE(r.window.LightSlider()->minimum(), 0);
        QCOMPARE(r.window.LightSlider()->maximum(), 1000);
        QCOMPARE(r.window.TemperatureSlider()->minimum(), -10);
        QCOMPARE(r.window.TemperatureSlider()->maximum(), 50);
        QCOMPARE(r.window.SoundSlider()->maximum(), 255);
    }

    void aMovedSliderChangesTheDecision() {
        Rig r;
        // start -> light < 100 ? red : dark -> wait 0.1 s -> back to the decision
        r.Run({kStart, {0xBF, 0x31, 0x81, 0x0A, 100, 0, 0x04, 0x03},
               {0x3F, 0x21, 0x80, 0x00, 0xF0, 0, 0, 0x05}, {0x3F, 0x21, 0x00, 0, 0, 0, 0, 0x05},
               {0x37, 0x28, 0x00, 0x01, 0, 0, 0, 0x02}});
        r.After(50ms);
        QCOMPARE(r.window.LastView().outputs.led, std::uint16_t{0});
        r.window.LightSlider()->setValue(20);
        r.After(200ms);
        QCOMPARE(r.window.LastView().outputs.led, std::uint16_t{0xF00});
        QCOMPARE(r.window.ColourLed()->ShownAt(0), QColor(255, 0, 0));
    }

    void theClockIsThisComputersOrOneTheUserSets() {
        Rig r;
        r.window.SetClock()->setChecked(true);
        QVERIFY(r.window.ClockEdit()->isEnabled());
        r.window.ClockEdit()->setTime(QTime(7, 29, 50));
        QCOMPARE(r.board.View().timeOfDay, SimTime{(7 * 3600 + 29 * 60 + 50) * 1000});
        r.After(15s);
        QCOMPARE(r.window.ClockLabel()->text(), QStringLiteral("07:30:05"));

        r.window.PcClock()->setChecked(true);
        QVERIFY(!r.window.ClockEdit()->isEnabled());
        const SimTime pc = QTime::currentTime().msecsSinceStartOfDay();
        QVERIFY(std::abs(r.board.View().timeOfDay - pc) < 5000);
    }

    void tenTimesFasterAndOneStepAtATime() {
        Rig r;
        // start -> red -> wait 1 s -> dark -> end
        r.Run({kStart, {0x3F, 0x21, 0x80, 0x00, 0xF0, 0, 0, 0x03},
               {0x37, 0x28, 0x00, 0x0A, 0, 0, 0, 0x04}, {0x3F, 0x21, 0x00, 0, 0, 0, 0, 0x05},
               {0x7F, 0x80, 0, 0, 0, 0, 0, 0}});
        QVERIFY(!r.window.StepButton()->isEnabled());
        r.window.SpeedButton(BoardSpeed::Fast)->click();
        r.After(50ms);
        QCOMPARE(r.window.LastView().programTime, SimTime{500});
        r.window.SpeedButton(BoardSpeed::Step)->click();
        QVERIFY(r.window.StepButton()->isEnabled());
        r.After(5s);
        QCOMPARE(r.window.LastView().programTime, SimTime{500});
        r.window.StepButton()->click();  // the dark LED, when the wait is over
        QCOMPARE(r.window.LastView().programTime, SimTime{1002});
        QCOMPARE(r.window.LastView().outputs.led, std::uint16_t{0});
        r.window.StepButton()->click();
        QCOMPARE(r.window.StateLabel()->text(), QStringLiteral("正常終了"));
        r.window.SpeedButton(BoardSpeed::Normal)->click();
        QVERIFY(!r.window.StepButton()->isEnabled());
    }

    void resetSwitchesEverythingOff() {
        Rig r;
        r.Run({kStart, {0x3F, 0x21, 0x80, 0x0F, 0x00, 0, 0, 0x03},
               {0x37, 0x28, 0x00, 0x64, 0, 0, 0, 0x03}});
        r.After(10ms);
        QCOMPARE(r.window.ColourLed()->ShownAt(0), QColor(0, 0, 255));
        r.Send(BuildControlReport(ControlValue::Reset), 100ms);
        r.window.Refresh();
        QCOMPARE(r.window.StateLabel()->text(), QStringLiteral("リセット"));
        QCOMPARE(r.window.ColourLed()->ShownAt(0), LedColour(0));
    }

    void theEditedChartNoteShowsOnlyWhenAsked() {
        Rig r;
        QVERIFY(r.window.EditedNote()->isHidden());
        r.window.SetChartEdited(true);
        QVERIFY(!r.window.EditedNote()->isHidden());
        QCOMPARE(r.window.EditedNote()->text(),
                 QStringLiteral("転送したあとでフローチャートが変更されています。"));
    }

    // Minimising the window leaves the board sounding and the window refreshing;
    // hiding it (the board disconnected) stops both.
    void minimisingKeepsTheSoundAndTheRefresh() {
        Rig r;
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.Run({kStart, {0x37, 0x27, 0x81, 0x01, 0, 0, 0, 0x03},  // buzzer, 小
               {0x37, 0x28, 0x00, 0x64, 0, 0, 0, 0x02}});        // wait 10 s, back
        r.After(10ms);
        QCOMPARE(r.sound.played.size(), std::size_t{1});
        r.window.showMinimized();
        QTRY_VERIFY(r.window.isMinimized());
        QCOMPARE(r.sound.stops, 0);
        QVERIFY(r.window.RefreshTimer().isActive());
        r.window.showNormal();
        QTRY_VERIFY(!r.window.isMinimized());
        QCOMPARE(r.sound.played.size(), std::size_t{1});
        r.window.hide();
        QCOMPARE(r.sound.stops, 1);
        QVERIFY(!r.window.RefreshTimer().isActive());
    }

    void closingTheWindowIsAnnounced() {
        Rig r;
        QSignalSpy closed(&r.window, &CDlgVirtualBoard::closed);
        r.window.show();
        r.window.close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!r.window.isVisible());
    }
};

QTEST_MAIN(VirtualBoardWindowTest)
#include "virtual_board_window_test.moc"
