// CDlgToolBar: the row of image buttons along the top of the main window that
// post the menu's commands, with the two lists the board transfer reads.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <map>

#include "main_window/main_window_layout.h"

class INotifier;
class QComboBox;
class QFrame;

// A 24 x 24 button drawn from an image of five states stacked vertically:
// normal, pointer over it, pressed, disabled, focused.
class GUIButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3, Focused = 4 };
    static constexpr int kSize = 24;

    explicit GUIButton(QWidget* parent = nullptr);
    // False (and the button stays without an image) when the image cannot be read.
    bool LoadImage(const QString& path);
    // Disabled wins over pressed, pressed over pointer-over, pointer-over over focused.
    State CurrentState() const;
    QSize sizeHint() const override { return {kSize, kSize}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QImage image_;
    bool hover_ = false;
};

// What UpdateButtons reads besides the board's two status bytes.
class IToolBarState {
public:
    virtual ~IToolBarState() = default;
    virtual bool ClipboardEmpty() const = 0;
    virtual bool HistoryEmpty() const = 0;
    virtual bool WholeView() const = 0;
    virtual bool BoardOpen() const = 0;
};

class CDlgToolBar : public QWidget {
    Q_OBJECT

public:
    // Control ids of the buttons.
    enum Control : int {
        kNew = 1015,
        kOpen = 1016,
        kSave = 1017,
        kCut = 1019,
        kCopy = 1020,
        kPaste = 1021,
        kUndo = 1022,
        kNormalView = 1023,
        kWholeView = 1026,
        kTransfer = 1027,
        kRun = 1028,
        kStopReset = 1030,
        kDetach = 1031,
    };
    static constexpr int kHeight = MainWindowLayout::kToolBarHeight;

    // Image failures are reported through notifier ("ボタン画像の読み込み失敗").
    CDlgToolBar(IToolBarState& state, INotifier& notifier, QWidget* parent = nullptr);

    // Enables the buttons for the board's mode byte and program-state byte.
    void UpdateButtons(std::uint8_t mode, std::uint8_t programState);
    // Shows the buttons that act on the page (0 flowchart, 1 clock, 2 report).
    void ShowForPage(int page);
    // Stretches the bar to the main window's client width.
    void Layout(int clientWidth);

    GUIButton* Button(int control) const;
    // 0 保存１, 1 保存２.
    int StorageIndex() const;
    // 0 転送後取り外さない, 1 転送後取り外す.
    int AfterTransferIndex() const;
    QComboBox* StorageList() const { return storageList_; }
    QComboBox* AfterTransferList() const { return afterTransferList_; }

signals:
    // A button was clicked: the main window runs the menu command.
    void commandRequested(int command);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Keys that reach the bar are swallowed; the main window handles its own first.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Enable(int control, bool enabled);

    IToolBarState& state_;
    std::map<int, GUIButton*> buttons_;
    QComboBox* storageList_;
    QComboBox* afterTransferList_;
};
