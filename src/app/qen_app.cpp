// Start-up and tear-down of the editor process.
#include "qen_app.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QStandardPaths>

#include "alsa_audio_sink.h"
#include "canvas/drawing_resources.h"
#include "canvas/editor_context.h"
#include "chart_store.h"
#include "common/qt_dialogs.h"
#include "editor_file_target.h"
#include "file_requests.h"
#include "first_open_output.h"
#include "hidapi_transport.h"
#include "ini_file.h"
#include "instance_channel.h"
#include "link_clock.h"
#include "main_window/main_window.h"
#include "main_window/palette.h"
#include "main_window/tool_windows.h"
#include "main_window/virtual_board_tool.h"
#include "name_tables.h"
#include "nuvo_addr_generator.h"
#include "recent_files.h"
#include "rtmidi_output.h"
#include "settings_location.h"
#include "sim/board_tone_player.h"
#include "simulated_board.h"
#include "transport_switch.h"
#include "tone_output.h"
#include "uid_generator.h"
#include "usb_interface.h"
#include "version_info.h"

namespace {

// Enabled with QT_LOGGING_RULES="qen.startup.info=true" by the start-up benchmark.
Q_LOGGING_CATEGORY(lcStartup, "qen.startup", QtWarningMsg)

// How long a later start waits for the running copy to take its file.
constexpr int kHandOverTimeoutMs = 5000;

// Logs once, when the main window has been painted for the first time,
// with its size and whether the settings file fixed it.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(const QElapsedTimer& clock) : clock_(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const auto* window = static_cast<const QWidget*>(watched);
            const bool fixed = window->minimumSize() == window->maximumSize();
            // The outer size, frame included, as the settings file gives it.
            const QSize outer = window->frameGeometry().size();
            qCInfo(lcStartup, "main window painted %lld ms after start, %d x %d %s", clock_.elapsed(),
                   outer.width(), outer.height(), fixed ? "fixed" : "resizable");
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
};

AboutTexts ReadVersionTexts() {
    VersionInfo version(LanguageIdForLocale(QLocale::system().name().toStdString()));
    AboutTexts texts;
    if (!version.Load(QCoreApplication::applicationFilePath().toStdString())) return texts;
    std::string value;
    if (version.Query("ProductName", value)) texts.productName = QString::fromStdString(value);
    if (version.Query("FileVersion", value)) texts.fileVersion = QString::fromStdString(value);
    if (version.Query("CompanyName", value)) texts.companyName = QString::fromStdString(value);
    return texts;
}

// The files named on the command line, made absolute from the folder the
// editor was started in (which the start-up leaves for the program's).
QStringList FileArguments() {
    QStringList files;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        files << QFileInfo(arguments[i]).absoluteFilePath();
    return files;
}

}  // namespace

CQenApp::CQenApp(int& argc, char** argv) : application_(argc, argv) {
    // Ties the windows to the desktop entry, for the icon and name the desktop shows.
    QGuiApplication::setDesktopFileName(QStringLiteral(QEN_APP_ID));
    // The interface is Japanese whatever the desktop's language: Qt's own
    // texts (file dialogs, standard buttons, scroll-bar menus) follow it.
    if (translator_.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator_);
}

int CQenApp::Run() {
    QElapsedTimer startClock;
    startClock.start();
    const QStringList files = FileArguments();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString lockFolder = runtime.isEmpty() ? QDir::tempPath() : runtime;
    const QString socketPath = InstanceSocketPath(lockFolder);
    // Only another running copy ends this one: it takes this start's files, and
    // without files this start ends silently. A lock that cannot be made (an
    // unwritable folder) does not keep the editor from starting.
    if (!instanceLock_.Acquire(lockFolder.toStdString(), kSingleInstanceName) &&
        instanceLock_.HeldElsewhere()) {
        for (const QString& file : files)
            if (!HandOverFile(socketPath, file, kHandOverTimeoutMs))
                std::fprintf(stderr, "qen-editor: the running editor did not take %s\n",
                             qUtf8Printable(file));
        return 0;
    }

    // The process-wide objects, each once, before any window.
    // The board link talks to USB, or to the virtual board while the user has it connected.
    SystemLinkClock clock;
    HidapiTransport transport;
    SimulatedBoard virtualBoard(clock);
    virtualBoard.KeepTraffic(false);  // nothing reads it, and the editor runs for hours
    TransportSwitch transports(transport, virtualBoard);
    UsbInterface usb(transports);
    NUVOAddrGenerator slotTable;
    UidGenerator uids;
    NUVOSymbolTable::Instance();
    NUVOFlowObjNameTable::Instance();
    NUVOFuncObjNameTable::Instance();
    RegisterFontSubstitutions();
    const DrawingResources resources;
    MessageBoxNotifier alerts;
    CFlowObjectManager store(uids, slotTable, alerts);
    EditorContext context(store);

    // Relative names (the help pages) are the program's. The settings file is
    // the user's, else the system's, else the one beside the program.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const ConfigFolders configFolders = EditorConfigFolders(ProcessConfigEnvironment());
    const auto settingsFile = LocateSettingsFile(
        configFolders, QCoreApplication::applicationDirPath().toStdString(), kSettingsFileName);
    Utility::CAppIniFile ini;
    const WindowSettings window = ReadWindowSettings(ini, settingsFile.string());
    context.state.fixedSize = window.fixedSize != 0;
    context.state.windowWidth = window.width;
    context.state.windowHeight = window.height;
    context.dragCursor = LoadDragCursor();

    // The recent files sit beside the user's settings, in a file of the editor's own.
    RecentFiles recentFiles(configFolders.user.empty()
                                ? std::filesystem::path()
                                : configFolders.user / RecentFiles::kFileName);
    recentFiles.Load();

    QtFileDialogs dialogs;
    CQenDlg mainWindow(
        {context, resources, usb, clock, alerts, dialogs, ReadVersionTexts, &recentFiles});
    alerts.SetParent(&mainWindow);
    dialogs.SetParent(&mainWindow);
    // The melody editor, hidden until its menu item. It plays through a MIDI
    // synthesiser when the system has one, else through the sound card as the
    // board's buzzer would sound, else silently.
    RtMidiOutput synthesiser;
    AlsaAudioSink soundCard;
    ToneMidiOutput buzzer(soundCard);
    FirstOpenOutput midi{&synthesiser, &buzzer};
    RealPlaybackTimer playbackTimer;
    CToolWindows tools(mainWindow, midi, playbackTimer, resources.SmallFont());
    mainWindow.SetToolWindows(&tools);
    // The virtual board sounds through the sound card too, on a stream of its own.
    AlsaAudioSink boardSoundCard;
    BoardTonePlayer boardSound(boardSoundCard);
    CVirtualBoardTool virtualBoardTool(mainWindow, store, transports, virtualBoard, &boardSound);
    mainWindow.SetVirtualBoard(&virtualBoardTool);
    FirstPaintProbe probe(startClock);
    mainWindow.installEventFilter(&probe);

    // Files from the command line, and those later starts hand over.
    EditorFileTarget fileTarget(mainWindow, tools);
    FileRequests fileRequests(fileTarget);
    InstanceListener listener;
    QObject::connect(&listener, &InstanceListener::fileRequested, &fileRequests,
                     &FileRequests::Request);
    listener.Listen(socketPath);
    mainWindow.show();
    for (const QString& file : files) fileRequests.Request(file);
    QApplication::exec();
    mainWindow.SetToolWindows(nullptr);  // the tools go first
    mainWindow.SetVirtualBoard(nullptr);
    return 0;
}
