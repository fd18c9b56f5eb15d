// The virtual board window: its groups of outputs, inputs, program state and speed, and
// the refresh that reads the simulated board.
#include "sim/virtual_board_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "board_sounds.h"
#include "common/help_pages.h"
#include "common/window_colour.h"
#include "sim/board_lamps.h"
#include "sim/board_sound.h"
#include "sim/virtual_board_texts.h"
#include "simulated_board.h"

namespace {

constexpr int kMsPerSecond = 1000;

QSlider* Slider(int low, int high, int value, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(low, high);
    slider->setValue(value);
    slider->setMinimumWidth(180);
    return slider;
}

QString ClockText(SimTime msOfDay) {
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(msOfDay)).toString(u"HH:mm:ss");
}

SimTime PcTimeOfDay() { return QTime::currentTime().msecsSinceStartOfDay(); }

}  // namespace

CDlgVirtualBoard::CDlgVirtualBoard(SimulatedBoard& board, IBoardSound* sound, QWidget* parent)
    : QWidget(parent, Qt::Window), board_(board), soundPlayer_(sound) {
    setWindowTitle(QStringLiteral("仮想テルノ"));
    setAttribute(Qt::WA_QuitOnClose, false);  // closing the main window ends the editor
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(kWindowBackground));
    setPalette(background);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeOutputs());
    layout->addWidget(MakeInputs());
    layout->addWidget(MakeProgram());
    layout->addWidget(MakeSpeed());
    auto* help = new QPushButton(QStringLiteral("ヘルプ"), this);
    connect(help, &QPushButton::clicked, this,
            [this] { ShowHelpPage(this, QString::fromUtf8(kHelpPage)); });
    layout->addWidget(help, 0, Qt::AlignRight);
    layout->addStretch();

    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &CDlgVirtualBoard::Refresh);
    shownFor_.start();
    SendInputs();
}

CDlgVirtualBoard::~CDlgVirtualBoard() {
    if (soundPlayer_) soundPlayer_->Stop();
}

QWidget* CDlgVirtualBoard::MakeOutputs() {
    auto* box = new QGroupBox(QStringLiteral("出力"), this);
    auto* grid = new QGridLayout(box);
    colourLed_ = new CColourLedLamp(box);
    whiteLed_ = new COnOffLamp(Qt::white, box);
    usbPower_ = new COnOffLamp(QColor(255, 200, 0), box);
    output3_ = new COnOffLamp(QColor(0, 200, 80), box);
    sound_ = new QLabel(box);
    alarm_ = new QLabel(box);
    grid->addWidget(new QLabel(QStringLiteral("カラーLED"), box), 0, 0);
    grid->addWidget(colourLed_, 0, 1, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("白色LED"), box), 0, 2);
    grid->addWidget(whiteLed_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("USBパワー"), box), 1, 2);
    grid->addWidget(usbPower_, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("出力3"), box), 2, 2);
    grid->addWidget(output3_, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("音"), box), 3, 0);
    grid->addWidget(sound_, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("アラーム"), box), 4, 0);
    grid->addWidget(alarm_, 4, 1, 1, 3);
    return box;
}

QWidget* CDlgVirtualBoard::MakeInputs() {
    auto* box = new QGroupBox(QStringLiteral("入力"), this);
    auto* grid = new QGridLayout(box);
    const EngineInputs defaults;
    light_ = Slider(0, 1000, defaults.light, box);
    temperature_ = Slider(-10, 50, defaults.temperature, box);
    soundLevel_ = Slider(0, 255, defaults.sound, box);
    lightValue_ = new QLabel(box);
    temperatureValue_ = new QLabel(box);
    soundValue_ = new QLabel(box);
    switch_ = new QCheckBox(QStringLiteral("押している"), box);
    const std::initializer_list<std::tuple<const char*, QSlider*, QLabel*>> rows = {
        {"光センサ", light_, lightValue_},
        {"温度センサ", temperature_, temperatureValue_},
        {"音センサ", soundLevel_, soundValue_}};
    int row = 0;
    for (const auto& [name, slider, value] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(name), box), row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(value, row, 2);
        connect(slider, &QSlider::valueChanged, this, &CDlgVirtualBoard::SendInputs);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("スイッチ"), box), row, 0);
    grid->addWidget(switch_, row++, 1);
    connect(switch_, &QCheckBox::toggled, this, &CDlgVirtualBoard::SendInputs);

    pcClock_ = new QRadioButton(QStringLiteral("パソコンの時刻"), box);
    setClock_ = new QRadioButton(QStringLiteral("時刻を決める"), box);
    clockEdit_ = new QTimeEdit(box);
    clockEdit_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    clockEdit_->setEnabled(false);
    clockShown_ = new QLabel(box);
    pcClock_->setChecked(true);
    auto* clocks = new QButtonGroup(box);
    clocks->addButton(pcClock_);
    clocks->addButton(setClock_);
    grid->addWidget(new QLabel(QStringLiteral("時計"), box), row, 0);
    grid->addWidget(clockShown_, row++, 1);
    grid->addWidget(pcClock_, row++, 1);
    grid->addWidget(setClock_, row, 1);
    grid->addWidget(clockEdit_, row, 2);
    connect(pcClock_, &QRadioButton::toggled, this, &CDlgVirtualBoard::ApplyClockChoice);
    connect(clockEdit_, &QTimeEdit::timeChanged, this, &CDlgVirtualBoard::ApplyClockChoice);
    return box;
}

QWidget* CDlgVirtualBoard::MakeProgram() {
    auto* box = new QGroupBox(QStringLiteral("プログラム"), this);
    auto* column = new QVBoxLayout(box);
    state_ = new QLabel(box);
    QFont large = state_->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    state_->setFont(large);
    reason_ = new QLabel(box);
    reason_->setWordWrap(true);
    reason_->setStyleSheet(QStringLiteral("color: #b00000"));
    elapsed_ = new QLabel(box);
    edited_ = new QLabel(QStringLiteral("転送したあとでフローチャートが変更されています。"), box);
    edited_->setWordWrap(true);
    edited_->setStyleSheet(QStringLiteral("background: #fff8dc; border: 1px solid #e0c060"));
    edited_->hide();
    for (QWidget* widget : {static_cast<QWidget*>(state_), static_cast<QWidget*>(reason_),
                            static_cast<QWidget*>(elapsed_), static_cast<QWidget*>(edited_)})
        column->addWidget(widget);
    return box;
}

QWidget* CDlgVirtualBoard::MakeSpeed() {
    auto* box = new QGroupBox(QStringLiteral("速さ"), this);
    auto* row = new QHBoxLayout(box);
    speeds_ = new QButtonGroup(box);
    const std::initializer_list<std::pair<const char*, BoardSpeed>> choices = {
        {"×1", BoardSpeed::Normal}, {"×10", BoardSpeed::Fast}, {"ステップ", BoardSpeed::Step}};
    for (const auto& [text, speed] : choices) {
        auto* button = new QRadioButton(QString::fromUtf8(text), box);
        speeds_->addButton(button, static_cast<int>(speed));
        row->addWidget(button);
    }
    SpeedButton(BoardSpeed::Normal)->setChecked(true);
    step_ = new QPushButton(QStringLiteral("1つ進める"), box);
    step_->setEnabled(false);
    row->addWidget(step_);
    connect(speeds_, &QButtonGroup::idClicked, this, [this](int id) {
        const auto speed = static_cast<BoardSpeed>(id);
        board_.SetSpeed(speed);
        step_->setEnabled(speed == BoardSpeed::Step);
        Refresh();
    });
    connect(step_, &QPushButton::clicked, this, [this] {
        board_.Step();
        Refresh();
    });
    return box;
}

QRadioButton* CDlgVirtualBoard::SpeedButton(BoardSpeed speed) const {
    return static_cast<QRadioButton*>(speeds_->button(static_cast<int>(speed)));
}

void CDlgVirtualBoard::SendInputs() {
    EngineInputs inputs;
    inputs.light = light_->value();
    inputs.temperature = temperature_->value();
    inputs.sound = soundLevel_->value();
    inputs.switchOn = switch_->isChecked();
    board_.SetInputs(inputs);
    lightValue_->setText(QStringLiteral("%1 Lx").arg(inputs.light));
    temperatureValue_->setText(QStringLiteral("%1 ℃").arg(inputs.temperature));
    soundValue_->setText(QString::number(inputs.sound));
}

void CDlgVirtualBoard::ApplyClockChoice() {
    clockEdit_->setEnabled(setClock_->isChecked());
    board_.SetTimeOfDay(setClock_->isChecked() ? clockEdit_->time().msecsSinceStartOfDay()
                                               : PcTimeOfDay());
    Refresh();
}

void CDlgVirtualBoard::SetChartEdited(bool edited) { edited_->setVisible(edited); }

void CDlgVirtualBoard::Refresh() {
    view_ = board_.View();
    ShowOutputs(view_.outputs);
    PlaySound(view_.outputs);
    state_->setText(ProgramStateText(view_.state));
    reason_->setText(view_.state == RunState::Error && view_.fault ? FaultText(*view_.fault)
                                                                    : QString());
    elapsed_->setText(view_.state == RunState::Reset
                          ? QString()
                          : QStringLiteral("経過時間：%1 秒")
                                .arg(static_cast<double>(view_.programTime) / kMsPerSecond, 0,
                                     'f', 1));
    clockShown_->setText(ClockText(view_.timeOfDay));
    emit refreshed();
}

void CDlgVirtualBoard::ShowOutputs(const EngineOutputs& outputs) {
    const qint64 now = shownFor_.elapsed();
    const QColor colour = LedColour(outputs.led);
    // Lighting up fades with the new colour's fade-in; going elsewhere with the old one's fade-out.
    const bool fade = (outputs.led != 0 && outputs.ledFadeIn) || shownOutputs_.ledFadeOut;
    colourLed_->SetColour(colour, fade, now);
    shownOutputs_ = outputs;
    colourLed_->Tick(now);
    whiteLed_->SetOn(outputs.whiteLed);
    usbPower_->SetOn(outputs.usbPower);
    output3_->SetOn(outputs.output3);
    const bool running = view_.state == RunState::Running;
    sound_->setText(running ? SoundText(outputs.sound, outputs.volume)
                            : SoundText(SoundKind::Off, 0));
    alarm_->setText(AlarmText(outputs.alarmMinute));
}

// Only a running program sounds; the player hears of each change once.
void CDlgVirtualBoard::PlaySound(const EngineOutputs& outputs) {
    EngineOutputs heard = outputs;
    if (view_.state != RunState::Running) {
        heard.sound = SoundKind::Off;
        heard.volume = 0;
    }
    const bool changed = heard.sound != heard_.sound || heard.volume != heard_.volume;
    heard_ = heard;
    if (!changed || soundPlayer_ == nullptr) return;
    if (heard.sound == SoundKind::Off)
        soundPlayer_->Stop();
    else
        soundPlayer_->Play(PatternOf(heard.sound, board_.StoredMelody()), heard.volume);
}

// Shown and hidden with the connection. Minimising and restoring (which the
// window system reports as spontaneous events) change nothing: the board
// goes on sounding and the canvas goes on framing the running symbol.
void CDlgVirtualBoard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    Refresh();
    timer_.start();
}

void CDlgVirtualBoard::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        timer_.stop();
        if (soundPlayer_) soundPlayer_->Stop();
        heard_ = {};
    }
    QWidget::hideEvent(event);
}

void CDlgVirtualBoard::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}
