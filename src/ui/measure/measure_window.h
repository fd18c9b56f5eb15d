// CDlgToolMeasurement: the measurement tool window. It samples the latest
// temperature and light that the board's status polling keeps, at the chosen
// interval, plots them and saves them as a CSV file.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cstdint>

#include "file_dialogs.h"
#include "measurement_samples.h"

class CMeasurementData;
class DrawingResources;
class INotifier;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

// The readings the status polling leaves, 0xFFFF until the first report.
struct MeasurementReadings {
    const std::atomic<std::uint16_t>& temperature;
    const std::atomic<std::uint16_t>& light;
};

// The editor's file choosers, with the yes / no question captioned as the tool.
class MeasurementDialogs : public IFileDialogs {
public:
    explicit MeasurementDialogs(IFileDialogs& files) : files_(files) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest& request) override {
        return files_.ChooseOpenPath(request);
    }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) override {
        return files_.ChooseSavePath(request);
    }
    bool AskYesNo(std::string_view question) override;

private:
    IFileDialogs& files_;
    QPointer<QWidget> parent_;
};

class CDlgToolMeasurement : public QWidget {
    Q_OBJECT

public:
    // dialogs chooses the file and asks before samples are dropped; alerts
    // tells of a failed save.
    CDlgToolMeasurement(MeasurementReadings readings, const DrawingResources& resources,
                        IFileDialogs& dialogs, INotifier& alerts, QWidget* parent);

    // The menu command: shows the window or brings it to the front.
    void ShowTool();
    // The board link opened (true) or closed (false, which stops a measurement).
    void SetConnected(bool connected);
    // Asked before the application exits; false keeps it running.
    bool MayClose();

    void Start();
    void Stop();
    void Save();
    void Close();
    // Timer 13: one more sample; the thousandth ends the measurement.
    void OnSampleTimer();

    bool Measuring() const { return measuring_; }
    const MeasurementSamples& Samples() const { return samples_; }
    CMeasurementData* Graph() const { return graph_; }
    QComboBox* IntervalList() const { return intervals_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* StopButton() const { return stop_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* CloseButton() const { return close_; }
    QString StatusText() const;
    const QTimer& SampleTimer() const { return sampleTimer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void TakeSample();
    void ShowCount();
    void ResetSamples();
    // Drops the samples after asking when they are unsaved; false when the user said no.
    bool DropSamples();
    void OnScroll(int action);
    void SetTitle(const QString& tail);

    MeasurementReadings readings_;
    IFileDialogs& dialogs_;
    INotifier& alerts_;
    MeasurementSamples samples_;
    CMeasurementData* graph_;
    QScrollBar* scrollBar_;
    QComboBox* intervals_;
    QPushButton* start_;
    QPushButton* stop_;
    QPushButton* save_;
    QPushButton* close_;
    QLabel* status_;
    QTimer sampleTimer_;  // timer 13
    QTimer blinkTimer_;   // timer 14
    bool measuring_ = false;
    bool connected_ = false;
};
