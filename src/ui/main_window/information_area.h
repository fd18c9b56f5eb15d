// CDlgInformationArea: the panel at the right edge of the main window showing
// the board's connection, program state, sensors and versions.
#pragma once

#include <QFont>
#include <QWidget>
#include <string>

#include "board_status.h"
#include "main_window/main_window_layout.h"

// The three texts of the panel: the connection line (large font), the
// program line and the readings block (small font).
struct InformationTexts {
    std::string connection;
    std::string program;
    std::string readings;

    bool operator==(const InformationTexts&) const = default;
};
InformationTexts ComposeInformation(const BoardStatus& status);

class CDlgInformationArea : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = MainWindowLayout::kInformationWidth;

    explicit CDlgInformationArea(QWidget* parent = nullptr);

    // Disconnected with every value invalid, then repainted.
    void Clear();
    // The main window opened a board: connected, values still invalid.
    void SetConnected();
    // The values of the newest status report.
    void SetStatus(const BoardStatus& status);
    const BoardStatus& Status() const { return status_; }

    // Keeps the panel at the right edge, above the message area.
    void Place(int clientWidth, int clientHeight);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoardStatus status_;
    QFont largeFont_;
    QFont smallFont_;
};
