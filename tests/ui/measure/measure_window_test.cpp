// The measurement tool window on the offscreen platform: sampling the fed
// readings, the graph, saving the CSV file and the close questions.
#include "measure/measure_window.h"

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "canvas/drawing_resources.h"
#include "file_dialogs.h"
#include "measure/measure_graph.h"
#include "notifier.h"
#include "recording_notifier.h"

namespace {

class ScriptedDialogs : public IFileDialogs {
public:
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) override {
        lastRequest = request;
        return savePath;
    }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return answer;
    }
    std::optional<std::string> savePath;
    FileDialogRequest lastRequest;
    bool answer = false;
    std::vector<std::string> questions;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The window with readings the test sets, as a connected board would feed them.
struct Tool {
    std::atomic<std::uint16_t> temperature{0xFFFF};
    std::atomic<std::uint16_t> light{0xFFFF};
    DrawingResources resources;
    ScriptedDialogs dialogs;
    RecordingNotifier alerts;
    CDlgToolMeasurement window{{temperature, light}, resources, dialogs, alerts, nullptr};

    void Sample(std::uint16_t t, std::uint16_t l) {
        temperature = t;
        light = l;
        window.OnSampleTimer();
    }
};

}  // namespace

class MeasureWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsDisabledUntilConnectedWithTitleAndIntervals() {
        Tool tool;
        QCOMPARE(tool.window.windowTitle(),
                 QStringLiteral("テルノエディタ 計測ツール　　新規データファイル"));
        QVERIFY(!tool.window.StartButton()->isEnabled());
        QCOMPARE(tool.window.IntervalList()->count(), 7);
        QCOMPARE(tool.window.IntervalList()->itemText(6), QStringLiteral("１時間"));
        QCOMPARE(tool.window.StatusText(),
                 QStringLiteral("データ　　      0/1000     1000項目まで計測することができます。"));
        tool.window.SetConnected(true);
        QVERIFY(tool.window.StartButton()->isEnabled());
        QVERIFY(tool.window.SaveButton()->isEnabled());
        QVERIFY(!tool.window.StopButton()->isEnabled());
    }

    void startTakesTheFedReadingsAtTheChosenInterval() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.window.IntervalList()->setCurrentIndex(1);
        tool.temperature = 25;
        tool.light = 500;
        QTest::mouseClick(tool.window.StartButton(), Qt::LeftButton);
        QVERIFY(tool.window.Measuring());
        QCOMPARE(tool.window.SampleTimer().interval(), 10000);
        QVERIFY(!tool.window.IntervalList()->isEnabled());
        QVERIFY(!tool.window.SaveButton()->isEnabled());
        QVERIFY(tool.window.StopButton()->isEnabled());
        tool.Sample(30, 100);
        const auto& samples = tool.window.Samples().All();
        QCOMPARE(samples.size(), std::size_t{2});
        QCOMPARE(samples[0].temperature, 25);
        QCOMPARE(samples[0].light, 500);
        QCOMPARE(samples[1].temperature, 30);
        QVERIFY(QString::fromStdString(samples[0].time).contains(QStringLiteral("年")));
        QVERIFY(tool.window.StatusText().startsWith(QStringLiteral("データ　　      2/1000")));
        // A second start keeps the running measurement and its samples.
        tool.window.Start();
        QVERIFY(tool.window.SampleTimer().isActive());
        QCOMPARE(tool.window.Samples().Count(), std::size_t{2});
    }

    void thousandthSampleStopsAtOnce() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.window.Start();
        for (int i = 1; i < 1000; ++i) tool.Sample(20, 200);
        QVERIFY(!tool.window.Measuring());
        QVERIFY(!tool.window.SampleTimer().isActive());
        QCOMPARE(tool.window.Samples().Count(), std::size_t{1000});
        QVERIFY(tool.window.StatusText().startsWith(QStringLiteral("データ　　   1000/1000")));
    }

    void losingTheBoardStopsAndKeepsTheSamples() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.window.Start();
        tool.window.SetConnected(false);
        QVERIFY(!tool.window.Measuring());
        QVERIFY(!tool.window.StartButton()->isEnabled());
        QCOMPARE(tool.window.Samples().Count(), std::size_t{1});
    }

    void graphDrawsTheSamplesAndUnknownReadingsAtTheTop() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.temperature = 60;
        tool.light = 0;
        tool.window.Start();
        tool.Sample(60, 0);
        tool.Sample(0xFFFF, 0xFFFF);
        tool.Sample(0xFFFF, 0xFFFF);
        const QImage image = tool.window.Graph()->Render();
        QCOMPARE(image.size(), QSize(481, 321));
        // 60 ℃ at y = 40 and 0 Lx at y = 280 between the first two samples.
        QCOMPARE(image.pixel(4, 40), qRgb(255, 102, 0));
        QCOMPARE(image.pixel(4, 280), qRgb(0, 102, 255));
        // Readings not yet known lie on the top edge, light drawn over temperature.
        QCOMPARE(image.pixel(20, 0), qRgb(0, 102, 255));
        // Nothing beyond the last sample: the grid's white.
        QCOMPARE(image.pixel(30, 100), qRgb(255, 255, 255));
        QCOMPARE(CMeasurementData::TemperatureY(0xFFFF), 0);
        QCOMPARE(CMeasurementData::TemperatureY(70), 0);
        QCOMPARE(CMeasurementData::TemperatureY(0), 280);
        QCOMPARE(CMeasurementData::LightY(800), 0);
        QCOMPARE(CMeasurementData::LightY(601), 40);
        QCOMPARE(CMeasurementData::LightY(0), 280);
    }

    void clickingASampleShowsItsValues() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.temperature = 21;
        tool.light = 300;
        tool.window.Start();
        tool.Sample(22, 310);
        tool.window.Stop();
        CMeasurementData* graph = tool.window.Graph();
        QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(6, 100));
        QCOMPARE(graph->Selected(), std::optional<int>(1));
        QCOMPARE(graph->Popup()->TemperatureText(), QStringLiteral("温度 22℃"));
        QCOMPARE(graph->Popup()->LightText(), QStringLiteral("光 310Lx"));
        QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(6, 100));
        QVERIFY(!graph->Selected());
        QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(!graph->Selected());
    }

    void autoScrollFollowsAndScrollBarTakesOver() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.window.Start();
        for (int i = 1; i < 42; ++i) tool.Sample(20, 200);
        CMeasurementData* graph = tool.window.Graph();
        graph->Render();
        QCOMPARE(graph->FirstVisible(), 1);
        QCOMPARE(tool.window.ScrollBar()->value(), 1);
        graph->Render();
        QCOMPARE(graph->FirstVisible(), 1);  // 41 samples from the first visible one: stays
        tool.window.ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(graph->FirstVisible(), 999);
        QVERIFY(!graph->AutoScroll());
        tool.window.ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        tool.window.ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(graph->FirstVisible(), 60);
    }

    void saveWritesTheCsvAndNamesTheFile() {
        Tool tool;
        const std::string path =
            (std::filesystem::temp_directory_path() / "qen-measure-window-test.csv").string();
        tool.dialogs.savePath = path;
        tool.window.SetConnected(true);
        tool.temperature = 25;
        tool.light = 480;
        tool.window.Start();
        tool.window.Stop();
        QTest::mouseClick(tool.window.SaveButton(), Qt::LeftButton);
        QCOMPARE(tool.dialogs.lastRequest.initialName, std::string_view("新規センサデータ.csv"));
        QCOMPARE(tool.dialogs.lastRequest.defaultExtension, std::string_view("csv"));
        QVERIFY(tool.dialogs.lastRequest.promptOverwrite);
        const std::string bytes = ReadFile(path);
        QVERIFY(bytes.rfind("\x8e\x9e\x8a\xd4,\x89\xb7\x93\x78,\x8f\xc6\x93\x78\r\n", 0) == 0);
        QVERIFY(bytes.size() > 3 && bytes.substr(bytes.size() - 9) == ",25,480\r\n");
        QCOMPARE(tool.window.windowTitle(),
                 QStringLiteral("テルノエディタ 計測ツール　　") + QString::fromStdString(path));
        QVERIFY(tool.window.Samples().Saved());
        std::filesystem::remove(path);
    }

    void failedSaveSaysSoAndStaysUnsaved() {
        Tool tool;
        tool.dialogs.savePath = "/nonexistent-folder-for-qen/data.csv";
        tool.window.SetConnected(true);
        tool.window.Start();
        tool.window.Stop();
        tool.window.Save();
        QCOMPARE(tool.alerts.messages.size(), std::size_t{1});
        QVERIFY(!tool.window.Samples().Saved());
        QCOMPARE(tool.window.windowTitle(),
                 QStringLiteral("テルノエディタ 計測ツール　　新規データファイル"));
    }

    void closeAsksOnlyForUnsavedSamples() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.window.ShowTool();
        tool.window.Start();
        tool.dialogs.answer = false;
        QTest::mouseClick(tool.window.CloseButton(), Qt::LeftButton);
        QCOMPARE(tool.dialogs.questions.size(), std::size_t{1});
        QCOMPARE(tool.dialogs.questions[0],
                 std::string("未保存のデータがあります。終了しますか。"));
        QVERIFY(tool.window.isVisible());
        QCOMPARE(tool.window.Samples().Count(), std::size_t{1});
        tool.dialogs.answer = true;
        tool.window.Close();
        QVERIFY(!tool.window.isVisible());
        QCOMPARE(tool.window.Samples().Count(), std::size_t{0});
        // Nothing unsaved: no question.
        tool.window.ShowTool();
        tool.window.Close();
        QCOMPARE(tool.dialogs.questions.size(), std::size_t{2});
    }

    void exitQueryAsksOnlyWhileVisible() {
        Tool tool;
        tool.window.SetConnected(true);
        tool.window.Start();
        QVERIFY(tool.window.MayClose());  // hidden: no question
        QVERIFY(tool.dialogs.questions.empty());
        tool.window.ShowTool();
        tool.window.Start();
        tool.dialogs.answer = false;
        QVERIFY(!tool.window.MayClose());
        QCOMPARE(tool.dialogs.questions.size(), std::size_t{1});
        tool.dialogs.answer = true;
        QVERIFY(tool.window.MayClose());
        QCOMPARE(tool.window.Samples().Count(), std::size_t{0});
        QVERIFY(!tool.window.Measuring());
        QVERIFY(!tool.window.isVisible());
    }
};

QTEST_MAIN(MeasureWindowTest)
#include "measure_window_test.moc"
