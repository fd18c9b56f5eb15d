// CQenDlg: the editor's one top-level window. It creates and lays out the
// side panels and the work area, routes menu commands, keys and the wheel,
// owns the board link and keeps the status bar and the message area.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "board_link.h"
#include "canvas/work_area_host.h"
#include "common/command_ids.h"
#include "common/qt_dialogs.h"
#include "dialogs/settings_dialog.h"
#include "document_commands.h"
#include "main_window/about_box.h"
#include "main_window/message_area.h"
#include "main_window/palette.h"
#include "main_window/palette_icons.h"
#include "main_window/tool_bar.h"
#include "measure/measure_window.h"
#include "print/print_chart.h"

class CDlgInformationArea;
class CDlgWorkArea;
class DrawingResources;
class IFileDialogs;
class INotifier;
class QLabel;
class QMenu;
class QPlainTextEdit;
class RecentFiles;
struct EditorContext;

// The melody editor as the main window drives it.
class IToolWindows {
public:
    virtual ~IToolWindows() = default;
    // A board was opened (true) or lost (false).
    virtual void SetBoardConnected(bool connected) = 0;
    virtual void OpenMelodyEditor() = 0;
    virtual bool MelodyEditorOpen() const = 0;
    virtual void SetMelodyEditorEnabled(bool enabled) = 0;
    // A melody transfer ended: the melody editor takes the focus again.
    virtual void ReturnToMelodyEditor() = 0;
};

// The virtual board as the main window drives it.
class IVirtualBoard {
public:
    virtual ~IVirtualBoard() = default;
    virtual bool Connected() const = 0;
    // Routes the board link's transport to the virtual board (true) or back
    // to USB, and shows or hides its window; called with no worker running.
    virtual void SetConnected(bool connected) = 0;
    // A program transfer was placed: the charts as they are now are what the board gets.
    virtual void ProgramSent() = 0;
};

// What the application hands the main window; everything outlives it.
struct MainWindowServices {
    EditorContext& context;
    const DrawingResources& resources;
    UsbInterface& usb;
    ILinkClock& clock;
    INotifier& alerts;      // message boxes, also the chart store's
    IFileDialogs& dialogs;  // file choosers and yes / no questions
    // Reads the program's version block when the about box opens.
    std::function<AboutTexts()> aboutTexts;
    // The flowchart files last opened or saved, listed in the ファイル menu; none when null.
    RecentFiles* recentFiles = nullptr;
};

class CQenDlg : public QMainWindow,
                public IWorkAreaHost,
                public IPaletteHost,
                public IToolBarState {
    Q_OBJECT

public:
    // The window's outer size when the settings file does not fix one.
    static constexpr int kWindowWidth = 1024;
    static constexpr int kWindowHeight = 768;
    static constexpr int kMessageAreaHeight = MainWindowLayout::kMessageAreaHeight;
    static constexpr int kMessageLineLimit = 99;
    static constexpr int kRedetectDelayMs = 1000;

    explicit CQenDlg(MainWindowServices services, QWidget* parent = nullptr);
    ~CQenDlg() override;

    // Attaches the side tools; without them their menu items stay grey.
    void SetToolWindows(IToolWindows* tools) { tools_ = tools; }
    // Attaches the virtual board; without it its menu items stay grey.
    void SetVirtualBoard(IVirtualBoard* board) { virtualBoard_ = board; }
    CDlgToolMeasurement* Measurement() const { return measurement_.get(); }

    // Runs a menu, tool bar or key command.
    void OnCommand(int id);
    // The close command: the measurement tool and unsaved changes may keep
    // the window open; otherwise the board worker stops and the window closes.
    bool CloseMainWindow();

    // Opens path as the open command does once a file is chosen, asking
    // first about unsaved changes; false when the user keeps the document
    // or the file does not load.
    bool OpenDocumentPath(const std::string& path);

    void Redetect();
    void Detach();
    // Moves the board link to the virtual board (true) or back to USB.
    void ConnectVirtualBoard(bool connect);
    void WriteMessage(std::string_view text) override;
    // The message of a refused board request, for the refusals that have one.
    void ShowRefusal(RequestResult result);

    // The chart check writes its findings to the message area: asked for, it
    // also says when there are none; before a program transfer only findings.
    enum class CheckOccasion { Asked, BeforeTransfer };
    void CheckCharts(CheckOccasion occasion);
    // Shows the chart and selects the symbol a message-area line is about.
    void ShowPlace(const MessagePlace& place);
    // "画像として書き出し...": the current chart as a PNG or SVG file.
    void ExportPicture();
    // The print command asks this dialog (the system's until a test sets another).
    void SetPrintDialog(IPrintDialog& dialog) { printDialog_ = &dialog; }

    // For tests and the side tools.
    CMessageArea& MessageArea() { return messages_; }
    QPlainTextEdit* MessageText() const { return messageBox_; }
    CDlgToolBar* ToolBar() const { return toolBar_; }
    CDlgInformationArea* InformationArea() const { return info_; }
    CDlgFlowIconArea* Palette() const { return palette_; }
    CDlgWorkArea* WorkArea() const { return workArea_; }
    QAction* Action(int id) const;
    QMenu* FileMenu() const { return fileMenu_; }
    QLabel* StatusPane(int index) const { return panes_[index]; }
    BoardLink& Link() { return *link_; }
    // The chart-area rectangle a palette drag keeps the pointer in, in screen
    // coordinates; worked out when asked, so it follows every move and resize.
    QRect ChartAreaRect() const;
    // Applies the menu's enabling rules, as before a menu opens.
    void UpdateMenuStates();
    void UpdateButtons();

    // IWorkAreaHost.
    void UpdateCounts() override;
    void UpdateCursorCell(int x, int y) override;
    ISymbolSettingsEditor& SettingsEditor() override { return settingsEditor_; }
    void PageChanged(int page) override;
    void SetEditMenusEnabled(bool enabled) override;
    void NewDocument() override;
    void OpenDocument() override;
    void SaveDocument() override;
    void SaveDocumentAs() override;
    void PrintChart() override;

    // IPaletteHost.
    int CurrentChart() const override;
    void SelectionCleared() override;
    bool IsDropPoint(const QPoint& global) const override;
    void DropSymbol(int kind, const QPoint& global) override;
    QRect ChartArea() const override { return ChartAreaRect(); }

    // IToolBarState.
    bool ClipboardEmpty() const override;
    bool HistoryEmpty() const override;
    bool WholeView() const override;
    bool BoardOpen() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class LinkHost;
    class MessageSink;

    // Construction.
    void CreateMenus();
    void CreateMeasurementTool();
    void CreateStatusBar();
    void ApplyWindowSize();
    // Sizes the window again once the window manager's frame is known.
    void FitToFrame();
    void LayoutChildren();

    // Recent files: the document just opened or saved goes first in the list,
    // and the ファイル menu shows the list.
    void RememberDocument();
    void UpdateRecentFiles();

    // Board link.
    void StartLink();
    void OpenBoard(bool redetect);
    void OnDeviceEvent(const DeviceEvent& event);
    void OnBoardNotice(BoardNotice notice);
    void ShowStatus();
    EditorPage Page() const;

    // Keys and wheel.
    bool PreTranslateKey(QKeyEvent* event);
    bool RouteWheel(QObject* watched, QWheelEvent* event);
    bool InThisWindow(QObject* watched) const;
    // Whether the item could be chosen in its menu now, by the menus' rules.
    bool MenuItemAvailable(int id);
    // A double click on a message-area line about a place shows it.
    bool ShowPlaceAt(QPoint viewportPoint);

    bool MayClose();
    void ShowAbout();
    void ShowHelp();

    EditorContext& context_;
    EditorState& state_;
    const DrawingResources& resources_;
    UsbInterface& usb_;
    ILinkClock& clock_;
    INotifier& alerts_;
    IFileDialogs& dialogs_;
    std::function<AboutTexts()> aboutTexts_;
    IToolWindows* tools_ = nullptr;
    RecentFiles* recentFiles_ = nullptr;
    IVirtualBoard* virtualBoard_ = nullptr;
    // The measurement tool: a hidden window of its own (no parent), made before the other children.
    std::unique_ptr<MeasurementDialogs> measurementDialogs_;
    std::unique_ptr<CDlgToolMeasurement> measurement_;

    CMessageArea messages_;
    std::unique_ptr<MessageSink> messageSink_;
    CFlowIconManager icons_;
    SymbolSettingsDialogs settingsEditor_;
    DocumentCommands documents_;
    QtPrintDialog systemPrintDialog_;
    IPrintDialog* printDialog_ = &systemPrintDialog_;

    QWidget* client_ = nullptr;
    QLabel* panes_[3] = {};
    QPlainTextEdit* messageBox_ = nullptr;
    CDlgToolBar* toolBar_ = nullptr;
    CDlgInformationArea* info_ = nullptr;
    CDlgFlowIconArea* palette_ = nullptr;
    CDlgWorkArea* workArea_ = nullptr;
    std::map<int, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;  // ends the recent files, before the exit item
    std::vector<QAction*> recentActions_;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QTimer redetectTimer_;  // timer 12: a board arrived, look for it a second later

    // Read by the worker thread during a transfer; written when the lists change.
    std::atomic<int> storageIndex_{0};
    std::atomic<int> afterTransferIndex_{0};
    std::unique_ptr<LinkHost> linkHost_;
    std::unique_ptr<BoardLink> link_;
    bool closing_ = false;
    QSize frame_;  // the frame the window size was last worked out for
};

// The file commands' progress lines go to the message area.
class CQenDlg::MessageSink : public IMessageArea {
public:
    explicit MessageSink(CMessageArea& area) : area_(area) {}
    void AddMessage(std::string_view line) override { area_.AddMessage(line); }

private:
    CMessageArea& area_;
};
