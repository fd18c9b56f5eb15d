// A whole editor over a simulated board for the main window tests, made as
// the application makes it (a second simulated board stands in for the
// virtual one), with scripted file dialogs.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/drawing_resources.h"
#include "canvas/editor_context.h"
#include "canvas/work_area.h"
#include "chart_store.h"
#include "file_dialogs.h"
#include "hid_transport.h"
#include "link_clock.h"
#include "main_window/main_window.h"
#include "nuvo_addr_generator.h"
#include "recent_files.h"
#include "recording_notifier.h"
#include "simulated_board.h"
#include "transport_switch.h"
#include "uid_generator.h"
#include "usb_interface.h"

class ScriptedDialogs : public IFileDialogs {
public:
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest&) override { return openPath; }
    std::optional<std::string> ChooseSavePath(const FileDialogRequest&) override { return savePath; }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
};

// The simulated board, with a switch that makes opening it fail (as a
// board whose device the user may not open) and a record of the plug-event watch.
class GateTransport : public IHidTransport {
public:
    explicit GateTransport(IHidTransport& board) : board_(board) {}
    std::optional<std::vector<UsbDeviceInfo>> Enumerate() override { return board_.Enumerate(); }
    bool Open(const std::string& path, UsbDeviceInfo& info) override {
        return !refuseOpen && board_.Open(path, info);
    }
    void Close() override { board_.Close(); }
    bool IsOpen() const override { return board_.IsOpen(); }
    int Write(const Report& report) override { return board_.Write(report); }
    ReadOutcome Read(Report& report, std::chrono::milliseconds timeout) override {
        return board_.Read(report, timeout);
    }
    bool WatchDevices(DeviceEventSink sink) override {
        watching = board_.WatchDevices(std::move(sink));
        return watching;
    }
    void StopWatching() override {
        board_.StopWatching();
        watching = false;
    }
    std::atomic<bool> refuseOpen{false};
    std::atomic<bool> watching{false};

private:
    IHidTransport& board_;
};

// A board that is plugged in but whose device the user may not open.
struct LockedBoard {};

// A whole editor over a simulated board, made as the application makes it.
struct Editor {
    explicit Editor(bool boardPlugged, bool fixedSize = false, int width = 1024, int height = 768) {
        if (!boardPlugged) board.Unplug();
        context.state.fixedSize = fixedSize;
        context.state.windowWidth = width;
        context.state.windowHeight = height;
        Show();
    }
    explicit Editor(LockedBoard) {
        gate.refuseOpen = true;
        Show();
    }

    void Show() {
        window = std::make_unique<CQenDlg>(
            MainWindowServices{context, resources, usb, clock, alerts, dialogs, [this] { return about; }, &recent});
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }

    QString LastLine() const { return window->MessageText()->document()->lastBlock().text(); }
    QStringList Lines() const { return window->MessageText()->toPlainText().split('\n'); }
    QString Pane(int i) const { return window->StatusPane(i)->text(); }
    CDlgWorkArea& Work() const { return *window->WorkArea(); }
    // Clicks a page tab along the top of the work area.
    void ShowPage(int page) const { QTest::mouseClick(&Work(), Qt::LeftButton, {}, QPoint(128 * page + 20, 10)); }
    bool Enabled(int id) {
        window->UpdateMenuStates();
        return window->Action(id)->isEnabled();
    }

    SystemLinkClock clock;
    SimulatedBoard board{clock};
    GateTransport gate{board};
    SimulatedBoard virtualBoard{clock};  // what 仮想テルノに接続 switches to
    TransportSwitch transports{gate, virtualBoard};
    UsbInterface usb{transports};
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    RecordingNotifier alerts;
    CFlowObjectManager store{uids, slotTable, alerts};
    EditorContext context{store};
    DrawingResources resources;
    ScriptedDialogs dialogs;
    RecentFiles recent;  // kept for the test only
    AboutTexts about{QStringLiteral("テルノエディタ"), QStringLiteral("1.4.0"), QStringLiteral("テルノ工房")};
    std::unique_ptr<CQenDlg> window;
    bool exposed = false;
};
