// CDlgVirtualBoard: the "仮想テルノ" window. It shows the simulated board's outputs, lets the
// user set its inputs, clock and speed, and shows the program's state and why it stopped.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "virtual_board.h"

class CColourLedLamp;
class COnOffLamp;
class IBoardSound;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimeEdit;
class SimulatedBoard;

class CDlgVirtualBoard : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 50;
    static constexpr const char* kHelpPage = "02/05.html";

    // A top-level window of its own, so that it stays usable while the main
    // window is disabled during a transfer. board and sound (null: silent)
    // outlive the window.
    CDlgVirtualBoard(SimulatedBoard& board, IBoardSound* sound, QWidget* parent = nullptr);
    ~CDlgVirtualBoard() override;

    // Reads the board and shows it; the window's timer calls it while it is shown.
    void Refresh();
    const VirtualBoardView& LastView() const { return view_; }
    // Shows or hides the note that the chart changed after the last transfer.
    void SetChartEdited(bool edited);
    // Sets the board's clock to this computer's time when that is the clock's choice.
    void ApplyClockChoice();

    // For tests.
    CColourLedLamp* ColourLed() const { return colourLed_; }
    COnOffLamp* WhiteLed() const { return whiteLed_; }
    COnOffLamp* UsbPower() const { return usbPower_; }
    COnOffLamp* Output3() const { return output3_; }
    QLabel* SoundLabel() const { return sound_; }
    QLabel* AlarmLabel() const { return alarm_; }
    QSlider* LightSlider() const { return light_; }
    QSlider* TemperatureSlider() const { return temperature_; }
    QSlider* SoundSlider() const { return soundLevel_; }
    QCheckBox* SwitchBox() const { return switch_; }
    QRadioButton* PcClock() const { return pcClock_; }
    QRadioButton* SetClock() const { return setClock_; }
    QTimeEdit* ClockEdit() const { return clockEdit_; }
    QLabel* ClockLabel() const { return clockShown_; }
    QLabel* StateLabel() const { return state_; }
    const QTimer& RefreshTimer() const { return timer_; }
    QLabel* ReasonLabel() const { return reason_; }
    QLabel* EditedNote() const { return edited_; }
    QRadioButton* SpeedButton(BoardSpeed speed) const;
    QPushButton* StepButton() const { return step_; }

signals:
    // After every refresh, with what the board showed.
    void refreshed();
    // The user closed the window.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* MakeOutputs();
    QWidget* MakeInputs();
    QWidget* MakeProgram();
    QWidget* MakeSpeed();
    void SendInputs();
    void ShowOutputs(const EngineOutputs& outputs);
    void PlaySound(const EngineOutputs& outputs);

    SimulatedBoard& board_;
    IBoardSound* soundPlayer_;
    QTimer timer_;
    QElapsedTimer shownFor_;  // the lamp's fades follow real time
    VirtualBoardView view_;
    EngineOutputs shownOutputs_;  // the outputs last shown
    EngineOutputs heard_;         // the sound last given to the player

    CColourLedLamp* colourLed_ = nullptr;
    COnOffLamp* whiteLed_ = nullptr;
    COnOffLamp* usbPower_ = nullptr;
    COnOffLamp* output3_ = nullptr;
    QLabel* sound_ = nullptr;
    QLabel* alarm_ = nullptr;
    QSlider* light_ = nullptr;
    QSlider* temperature_ = nullptr;
    QSlider* soundLevel_ = nullptr;
    QLabel* lightValue_ = nullptr;
    QLabel* temperatureValue_ = nullptr;
    QLabel* soundValue_ = nullptr;
    QCheckBox* switch_ = nullptr;
    QRadioButton* pcClock_ = nullptr;
    QRadioButton* setClock_ = nullptr;
    QTimeEdit* clockEdit_ = nullptr;
    QLabel* clockShown_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* reason_ = nullptr;
    QLabel* elapsed_ = nullptr;
    QLabel* edited_ = nullptr;
    QButtonGroup* speeds_ = nullptr;
    QPushButton* step_ = nullptr;
};
