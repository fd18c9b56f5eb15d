// The clock page of the work area: the PC's time, and the hint that a
// transfer from this page sets the board's clock.
#pragma once

#include <QDateTime>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

class CDlgSetting : public QWidget {
    Q_OBJECT

public:
    using TimeSource = std::function<QDateTime()>;

    // now supplies the local time; tests hand in their own.
    explicit CDlgSetting(QWidget* parent, TimeSource now = &QDateTime::currentDateTime);

    // Shows the time as "%H 時 %M 分" when it differs from the text shown last.
    void RefreshClock();
    // Refreshes now and then every second, while the page is on screen.
    void StartClock();
    void StopClock();
    bool ClockRunning() const { return timer_.isActive(); }

    QString ClockText() const;
    QLabel* ClockLabel() const { return clock_; }

signals:
    // F8 on the page: send the PC's time to the board.
    void TransferRequested();

protected:
    // Every key is consumed here, so the window's shortcuts (Delete, Ctrl+A
    // and the like) do nothing on this page; F8 asks for the transfer. Keys
    // held with Alt still reach the menus.
    bool event(QEvent* event) override;
    // The page takes the keyboard when it comes on screen, so keys reach it.
    void showEvent(QShowEvent* event) override;

private:
    TimeSource now_;
    QTimer timer_;
    QLabel* hint_;
    QLabel* caption_;
    QLabel* clock_;
    QString shown_;
};

// "%H 時 %M 分" of a time.
QString FormatClockText(const QTime& time);
