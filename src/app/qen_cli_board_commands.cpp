// The board subcommands: each opens the first board, runs the handshake and
// makes one request through the editor's board link, printing the main
// window's texts for the notices it gets.
#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "board_access.h"
#include "board_link.h"
#include "qen_cli.h"
#include "qen_cli_board_job.h"
#include "qen_cli_document.h"
#include "simulated_board.h"

namespace {

using std::chrono::steady_clock;

constexpr std::string_view kNotFoundText = "テルノが見つかりませんでした";

// Standard output and error, written by this thread and by the board worker, a line at a time.
class CliConsole {
public:
    CliConsole(CliIo io, bool trace) : io_(io), trace_(trace) {}

    void Out(std::string_view line) {
        std::lock_guard lock(mutex_);
        io_.out << line << '\n';
    }
    void Err(std::string_view line) {
        std::lock_guard lock(mutex_);
        io_.err << line << '\n';
    }
    // A write that did not go out whole is not shown as written, only counted.
    void Report(const ReportTrace& report) {
        std::lock_guard lock(mutex_);
        if (!report.ok) {
            ++failedWrites_;
            return;
        }
        if (!trace_) return;
        io_.out << (report.direction == TraceDirection::ToBoard ? '>' : '<');
        char hex[4];
        for (const std::uint8_t byte : report.payload) {
            std::snprintf(hex, sizeof hex, " %02X", byte);
            io_.out << hex;
        }
        io_.out << '\n';
    }
    int FailedWrites() const {
        std::lock_guard lock(mutex_);
        return failedWrites_;
    }

private:
    mutable std::mutex mutex_;
    CliIo io_;
    bool trace_;
    int failedWrites_ = 0;
};

// The board link's host for one command: notices are printed as the main
// window shows them, and the command's thread waits for what it needs.
class CliLinkHost final : public IBoardLinkHost {
public:
    CliLinkHost(CliConsole& console, StorageArea area) : console_(console), area_(area) {}

    void PostBoardNotice(BoardNotice notice) override {
        const NoticeMessage message = DescribeBoardNotice(notice);
        if (!message.text.empty()) console_.Out(message.text);
        Update([&] { notices_.push_back(notice.code); });
    }
    void SetWindowEnabled(LinkWindow, bool) override {}
    void CommandBytesChanged(std::uint8_t, std::uint8_t) override {}
    StorageArea ChosenStorageArea() override { return area_; }
    // The command closes the board itself once the transfer is done.
    AfterTransfer ChosenAfterTransfer() override { return AfterTransfer::KeepAttached; }
    void StatusChanged(const BoardStatus& status) override {
        Update([&] { statusTaken_ = statusTaken_ || status.programState.valid; });
    }
    void DebugTrace(std::string_view) override {}
    void ShowAlert(std::string_view text) override { console_.Err(text); }

    // True once a status report has been taken in; false at the deadline.
    bool WaitForStatus(steady_clock::time_point deadline) {
        std::unique_lock lock(mutex_);
        return changed_.wait_until(lock, deadline, [&] { return statusTaken_; });
    }
    // The first of the codes that arrived, or nullopt when the deadline passed.
    std::optional<int> WaitForNotice(std::initializer_list<int> codes,
                                     steady_clock::time_point deadline) {
        std::unique_lock lock(mutex_);
        std::optional<int> arrived;
        changed_.wait_until(lock, deadline, [&] {
            const auto it = std::find_first_of(notices_.begin(), notices_.end(), codes.begin(),
                                               codes.end());
            if (it != notices_.end()) arrived = *it;
            return arrived.has_value();
        });
        return arrived;
    }

private:
    template <typename F>
    void Update(F&& change) {
        {
            std::lock_guard lock(mutex_);
            change();
        }
        changed_.notify_all();
    }

    CliConsole& console_;
    const StorageArea area_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> notices_;
    bool statusTaken_ = false;
};

enum class BoardRequest { None, Program, Clock, Run, Reset, Melody };

struct BoardJob {
    BoardRequest request = BoardRequest::None;
    const IProgramSource& program;
    StorageArea area = StorageArea::Save1;
    MelodyImage melody{};
};

RequestResult Place(const BoardJob& job, BoardLink& link) {
    switch (job.request) {
        case BoardRequest::Program:
            return link.RequestTransfer(EditorPage::Flowchart);
        case BoardRequest::Clock:
            return link.RequestTransfer(EditorPage::Clock);
        case BoardRequest::Run:
            return link.RequestRun(EditorPage::Flowchart);
        case BoardRequest::Reset:
            return link.RequestStopReset(EditorPage::Flowchart);
        case BoardRequest::Melody:
            return link.RequestMelodyTransfer(job.melody);
        case BoardRequest::None:
            break;
    }
    return RequestResult::WrongPage;  // a status job has nothing to place
}

// The notice that tells the request is done.
int DoneNotice(BoardRequest request) {
    switch (request) {
        case BoardRequest::Run:
            return notice::kRunning;
        case BoardRequest::Reset:
            return notice::kResetDone;
        default:
            return notice::kTransferDone;
    }
}

// The editor's message for a refusal; the refusals the editor passes over in
// silence, a command must still explain.
std::string RefusalLine(RequestResult result) {
    if (const std::string_view text = RefusalText(result); !text.empty()) return std::string(text);
    switch (result) {
        case RequestResult::ProgramRunning:
            return "qen-cli: run refused: the program is running already";
        case RequestResult::ProgramError:
            return "qen-cli: run refused: the program stopped with an execution error; reset it "
                   "first";
        default:
            return "qen-cli: refused: the board took up another operation first";
    }
}

std::string GaveUpText(std::chrono::milliseconds timeout, std::string_view what) {
    std::ostringstream text;
    text << "qen-cli: gave up after " << static_cast<double>(timeout.count()) / 1000.0
         << " s: " << what;
    return text.str();
}

std::string_view WaitingFor(BoardStep state) {
    return state < BoardStep::Polling ? "the board did not complete the handshake"
                                      : "the board sent no status report";
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::string Meaning(std::string_view text) {
    return text.empty() ? "" : " (" + std::string(text) + ")";
}

std::string_view ModeMeaning(std::uint8_t mode) {
    if (mode == kModeProg) return "PROG";
    if (ModeNeedsReconnect(mode)) return "reconnect before a transfer";
    return "";
}

std::string_view ProgramMeaning(std::uint16_t state) {
    switch (state) {
        case kProgramRunning:
        case kProgramRunning2:
            return "running";
        case kProgramEnded:
            return "ended";
        case kProgramReset:
        case kProgramReset2:
            return "reset";
        case kProgramError:
            return "execution error";
        default:
            return "";
    }
}

std::string Version(const StatusValue& version) {
    return std::to_string((version.value >> 4) & 0x0F) + "." + std::to_string(version.value & 0x0F);
}

std::string SwitchText(std::uint16_t value) {
    if (value == 0) return "off";
    if (value == 1) return "on";
    return "?? (" + Hex(value) + ")";
}

void PrintStatus(const BoardStatus& status, std::uint8_t mode, std::ostream& out) {
    out << "mode: " << Hex(mode) << Meaning(ModeMeaning(mode)) << '\n'
        << "program: " << Hex(status.programState.value)
        << Meaning(ProgramMeaning(status.programState.value)) << '\n'
        << "light: " << status.light.value << " lx\n"
        << "temperature: " << status.temperature.value << " °C\n"
        << "sound: " << status.sound.value << '\n'
        << "switch: " << SwitchText(status.switchState.value) << '\n'
        << "hardware version: " << Version(status.hardwareVersion) << '\n'
        << "firmware version: " << Version(status.firmwareVersion) << '\n';
}

// Opens the board, waits for its first status report, makes the job's request and
// waits for it to be done; the worker is stopped and the board closed on every path.
int RunBoardJob(const BoardJob& job, const CliArguments& arguments, const CliContext& context) {
    CliConsole console(context.io, arguments.Has("--trace"));
    SystemLinkClock machineClock;
    ILinkClock& clock = context.board.clock != nullptr ? *context.board.clock : machineClock;
    std::optional<SimulatedBoard> simulated;
    IHidTransport* transport = nullptr;
    if (arguments.Has("--simulated"))
        transport = &simulated.emplace(clock);
    else if (context.board.usb)
        transport = &context.board.usb();
    if (transport == nullptr) {
        console.Err(kNotFoundText);
        return CliExit::Failed;
    }

    UsbInterface usb(*transport);
    usb.SetTraceHook([&console](const ReportTrace& report) { console.Report(report); });
    CliLinkHost host(console, job.area);
    BoardLink link(usb, clock, host, job.program);

    UsbDeviceInfo device;
    switch (link.OpenFirstBoard(device)) {
        case OpenOutcome::NotFound:
            console.Err(kNotFoundText);
            return CliExit::Failed;
        case OpenOutcome::OpenFailed:
            // The editor's two lines: no board to talk to, and why, with the way out.
            console.Err(kNotFoundText);
            console.Err(BoardNotOpenedText());
            return CliExit::Failed;
        case OpenOutcome::Opened:
            break;
    }

    const auto deadline = steady_clock::now() + context.board.timeout;
    // Ends the command: the worker stopped and the board closed before the last words.
    const auto finish = [&](int exit, std::string_view error = {}) {
        link.DetachBoard();
        if (!error.empty()) console.Err(error);
        return exit;
    };
    if (!host.WaitForStatus(deadline))
        return finish(CliExit::Failed, GaveUpText(context.board.timeout, WaitingFor(link.State())));

    if (job.request == BoardRequest::None) {
        const BoardStatus status = link.Status();
        const std::uint8_t mode = link.LastModeByte();
        finish(CliExit::Ok);
        PrintStatus(status, mode, context.io.out);
        return CliExit::Ok;
    }

    const int failedBefore = console.FailedWrites();
    if (const RequestResult result = Place(job, link); result != RequestResult::Placed) {
        console.Err(RefusalLine(result));
        return finish(CliExit::Failed);
    }
    const std::optional<int> outcome =
        host.WaitForNotice({DoneNotice(job.request), notice::kTransferFailed}, deadline);
    if (!outcome)
        return finish(CliExit::Failed,
                      GaveUpText(context.board.timeout, "the request did not complete"));
    // Run and reset are not checked by the worker: a lost write there counts too.
    if (*outcome == notice::kTransferFailed || console.FailedWrites() != failedBefore ||
        !usb.IsOpen())
        return finish(CliExit::Failed,
                      "qen-cli: the board was lost during the request; not everything reached it");
    return finish(CliExit::Ok);
}

int RunWithoutFile(BoardRequest request, const CliArguments& arguments, const CliContext& context) {
    CliDocument empty;  // what the editor holds with no file open
    return RunBoardJob({request, empty.store}, arguments, context);
}

}  // namespace

int CliSend(const CliArguments& arguments, const CliContext& context) {
    CliDocument document;
    if (!document.Open(arguments.positional[0])) return document.Fail(context.io);
    const StorageArea area =
        arguments.Value("--area") == "2" ? StorageArea::Save2 : StorageArea::Save1;
    return RunBoardJob({BoardRequest::Program, document.store, area}, arguments, context);
}

int CliSendMelodyImage(const MelodyImage& melody, const CliArguments& arguments,
                       const CliContext& context) {
    CliDocument empty;  // the melody editor sends whatever chart is open; none here
    return RunBoardJob({BoardRequest::Melody, empty.store, StorageArea::Save1, melody}, arguments,
                       context);
}

int CliRun(const CliArguments& arguments, const CliContext& context) {
    return RunWithoutFile(BoardRequest::Run, arguments, context);
}

int CliReset(const CliArguments& arguments, const CliContext& context) {
    return RunWithoutFile(BoardRequest::Reset, arguments, context);
}

int CliClock(const CliArguments& arguments, const CliContext& context) {
    return RunWithoutFile(BoardRequest::Clock, arguments, context);
}

int CliStatus(const CliArguments& arguments, const CliContext& context) {
    return RunWithoutFile(BoardRequest::None, arguments, context);
}
