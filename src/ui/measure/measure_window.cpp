#include "measure/measure_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <ctime>

#include "canvas/drawing_resources.h"
#include "measure/measure_graph.h"
#include "measurement_csv.h"
#include "measurement_intervals.h"
#include "notifier.h"

namespace {

constexpr const char* kBaseTitle = "テルノエディタ 計測ツール　　";
constexpr const char* kNewDataTitle = "新規データファイル";
constexpr std::string_view kUnsavedQuestion = "未保存のデータがあります。終了しますか。";
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 440;
constexpr int kGraphX = 40;
constexpr int kGraphY = 20;
constexpr int kButtonWidth = 75;
constexpr int kButtonGap = 12;
constexpr int kBlinkMilliseconds = 500;

QLabel* Caption(const QString& text, QRgb colour, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    SetTextColour(*label, colour);
    label->resize(label->sizeHint());
    return label;
}

QPushButton* Button(const char* text, const char* tip, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setToolTip(QString::fromUtf8(tip));
    return button;
}

// The axis captions and tick labels beside the graph.
void PlaceAxisLabels(QWidget* parent) {
    const char* ticks[2][4] = {{"60", "40", "20", "0"}, {"600", "400", "200", "0"}};
    const int rows[4] = {60, 140, 220, 300};
    QLabel* temperature = Caption(QStringLiteral("温度　℃"), MeasureColours::Temperature, parent);
    const int tw = temperature->width();
    const int th = temperature->height();
    temperature->move(kGraphX - tw / 2, kGraphY - th);
    QLabel* light = Caption(QStringLiteral("光　Lx"), MeasureColours::Light, parent);
    const int lw = light->width();
    const int lh = light->height();
    light->move(520 - lw / 3, kGraphY - lh);
    for (int i = 0; i < 4; ++i) {
        QLabel* t = Caption(QString::fromUtf8(ticks[0][i]), MeasureColours::Temperature, parent);
        t->setGeometry(kGraphX - tw / 2, rows[i] - th / 2, 16, th);
        QLabel* l = Caption(QString::fromUtf8(ticks[1][i]), MeasureColours::Light, parent);
        l->setGeometry(520 + lw / 2 - lw / 3, rows[i] - lh / 2, 20, lh);
    }
}

}  // namespace

bool MeasurementDialogs::AskYesNo(std::string_view question) {
    return QMessageBox::warning(
               parent_, QString::fromUtf8(kBaseTitle),
               QString::fromUtf8(question.data(), static_cast<int>(question.size())),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

CDlgToolMeasurement::CDlgToolMeasurement(MeasurementReadings readings,
                                         const DrawingResources& resources, IFileDialogs& dialogs,
                                         INotifier& alerts, QWidget* parent)
    : QWidget(parent, Qt::Window),
      readings_(readings),
      dialogs_(dialogs),
      alerts_(alerts),
      graph_(new CMeasurementData(samples_, resources.LabelFont(), this)),
      scrollBar_(new QScrollBar(Qt::Horizontal, this)),
      intervals_(new QComboBox(this)),
      start_(Button("計測開始", "計測を開始します。", this)),
      stop_(Button("計測終了", "計測を終了します。(中断ではありません)", this)),
      save_(Button("データ保存", "表計算ソフトのCSV形式で保存します。", this)),
      close_(Button("閉じる", "計測ツールソフトを閉じます。", this)),
      status_(new QLabel(this)) {
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(Colours::Window));
    setPalette(background);
    SetTitle(QString::fromUtf8(kNewDataTitle));

    graph_->move(kGraphX, kGraphY);
    scrollBar_->setGeometry(kGraphX, kGraphY + CMeasurementData::kHeight, 480,
                            scrollBar_->sizeHint().height());
    scrollBar_->setRange(0, CMeasurementData::kLastScrollPosition);
    scrollBar_->setPageStep(60);
    scrollBar_->setSingleStep(1);
    PlaceAxisLabels(this);

    for (const MeasurementInterval& interval : kMeasurementIntervals)
        intervals_->addItem(
            QString::fromUtf8(interval.label.data(), static_cast<int>(interval.label.size())));
    intervals_->setToolTip(QStringLiteral("計測する間隔を設定します。"));
    const int row = 360 + scrollBar_->height();
    intervals_->setGeometry(kGraphX, row, 120, intervals_->sizeHint().height());
    int x = 184;
    for (QPushButton* button : {start_, stop_, save_, close_}) {
        button->setGeometry(x, row, kButtonWidth, intervals_->height());
        x += kButtonWidth + kButtonGap;
    }
    const int statusHeight = status_->sizeHint().height() + 4;
    status_->setGeometry(0, kClientHeight - statusHeight, kClientWidth, statusHeight);
    status_->setFrameShape(QFrame::Panel);
    status_->setFrameShadow(QFrame::Sunken);
    ShowCount();

    connect(start_, &QPushButton::clicked, this, &CDlgToolMeasurement::Start);
    connect(stop_, &QPushButton::clicked, this, &CDlgToolMeasurement::Stop);
    connect(save_, &QPushButton::clicked, this, &CDlgToolMeasurement::Save);
    connect(close_, &QPushButton::clicked, this, &CDlgToolMeasurement::Close);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CDlgToolMeasurement::OnScroll);
    connect(graph_, &CMeasurementData::firstVisibleAdvanced, scrollBar_, &QScrollBar::setValue);
    connect(&sampleTimer_, &QTimer::timeout, this, &CDlgToolMeasurement::OnSampleTimer);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] {
        graph_->SetBlink(!graph_->Blink());
        graph_->update();
    });
    start_->setEnabled(false);
    stop_->setEnabled(false);

    if (parent) {
        QRect frame = rect();
        frame.moveCenter(parent->screen()->availableGeometry().center());
        move(frame.topLeft());
    }
}

void CDlgToolMeasurement::SetTitle(const QString& tail) {
    setWindowTitle(QString::fromUtf8(kBaseTitle) + tail);
}

QString CDlgToolMeasurement::StatusText() const { return status_->text(); }

void CDlgToolMeasurement::ShowCount() {
    status_->setText(
        QString::asprintf("データ　　   %4d/1000     1000項目まで計測することができます。",
                          static_cast<int>(samples_.Count())));
}

void CDlgToolMeasurement::ShowTool() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    show();
}

void CDlgToolMeasurement::SetConnected(bool connected) {
    connected_ = connected;
    if (!connected) {
        Stop();
        return;
    }
    start_->setEnabled(!measuring_);
    save_->setEnabled(!measuring_);
    stop_->setEnabled(measuring_);
}

void CDlgToolMeasurement::TakeSample() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    samples_.Add({SampleTimeText(local), readings_.temperature.load(), readings_.light.load()});
}

void CDlgToolMeasurement::OnSampleTimer() {
    TakeSample();
    if (samples_.Full()) Stop();
    ShowCount();
    graph_->update();
}

// A second start while measuring leaves the running measurement alone.
void CDlgToolMeasurement::Start() {
    if (measuring_) return;
    sampleTimer_.stop();
    blinkTimer_.stop();
    graph_->SetBlink(false);
    measuring_ = true;
    intervals_->setEnabled(false);
    const int period = IntervalMilliseconds(intervals_->currentIndex());
    start_->setEnabled(false);
    stop_->setEnabled(true);
    save_->setEnabled(false);
    ResetSamples();
    TakeSample();
    ShowCount();
    scrollBar_->setValue(0);
    graph_->SetFirstVisible(0);
    sampleTimer_.start(period);
    blinkTimer_.start(kBlinkMilliseconds);
    graph_->update();
}

void CDlgToolMeasurement::Stop() {
    graph_->SetAutoScroll(false);
    measuring_ = false;
    intervals_->setEnabled(true);
    start_->setEnabled(connected_);
    stop_->setEnabled(false);
    save_->setEnabled(true);
    sampleTimer_.stop();
    blinkTimer_.stop();
    graph_->SetBlink(false);
    graph_->update();
}

void CDlgToolMeasurement::Save() {
    graph_->SetAutoScroll(false);
    FileDialogRequest request;
    request.defaultExtension = "csv";
    request.initialName = "新規センサデータ.csv";
    request.filter = "センサデータ ファイル (*.csv)|*.csv||";
    request.promptOverwrite = true;
    const std::optional<std::string> path = dialogs_.ChooseSavePath(request);
    if (!path) return;
    // A failed write keeps the samples unsaved so that closing still asks.
    if (const std::optional<std::string> error = WriteMeasurementCsv(*path, samples_.All())) {
        alerts_.ShowMessage(*error);
        return;
    }
    samples_.MarkSaved();
    SetTitle(QString::fromStdString(*path));
}

void CDlgToolMeasurement::ResetSamples() {
    graph_->Reset();
    samples_.Reset();
}

bool CDlgToolMeasurement::DropSamples() {
    if (samples_.Unsaved() && !dialogs_.AskYesNo(kUnsavedQuestion)) return false;
    Stop();
    ResetSamples();
    ShowCount();
    SetTitle(QString::fromUtf8(kNewDataTitle));
    graph_->update();
    return true;
}

void CDlgToolMeasurement::Close() {
    if (DropSamples()) hide();
}

bool CDlgToolMeasurement::MayClose() {
    if (!isVisible()) return true;
    if (!DropSamples()) return false;
    hide();
    return true;
}

void CDlgToolMeasurement::OnScroll(int action) {
    graph_->SetAutoScroll(false);
    graph_->SetFirstVisible(action == QAbstractSlider::SliderToMaximum
                                ? CMeasurementData::kLastFirstVisible
                                : scrollBar_->sliderPosition());
    graph_->update();
}

void CDlgToolMeasurement::showEvent(QShowEvent* event) {
    Stop();
    QWidget::showEvent(event);
}

void CDlgToolMeasurement::hideEvent(QHideEvent* event) {
    Stop();
    QWidget::hideEvent(event);
}

// The title bar's close box works as the close button.
void CDlgToolMeasurement::closeEvent(QCloseEvent* event) {
    event->ignore();
    Close();
}
