// The simulated board: checks every report, answers the handshake, streams its status,
// stores complete transfers and runs the program on the virtual board.
#include "simulated_board.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::uint16_t kSimVersionNumber = 0x0100;
constexpr std::string_view kSimSerial = "SIM-0001";

UsbDeviceInfo SimDeviceInfo() {
    return UsbDeviceInfo{kBoardVendorId, kBoardProductId, kSimVersionNumber,
                         std::string(kSimSerial), std::string(SimulatedBoard::kDevicePath)};
}

std::uint8_t ProgramStateByte(RunState state) {
    switch (state) {
        case RunState::Running:
            return kProgramRunning;
        case RunState::Ended:
            return kProgramEnded;
        case RunState::Error:
            return kProgramError;
        case RunState::Reset:
            break;
    }
    return SimulatedBoard::kResetState;
}

// A sensor value in its 16-bit field; a temperature below zero in two's complement.
std::uint16_t Field(int value) { return static_cast<std::uint16_t>(value); }

int AreaIndex(std::uint16_t address) {
    return address == ProgramAreaAddress(StorageArea::Save2) ? 1 : 0;
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

}  // namespace

SimulatedBoard::SimulatedBoard(ILinkClock& clock) : clock_(clock), board_(clock.Now()) {}

std::optional<std::vector<UsbDeviceInfo>> SimulatedBoard::Enumerate() {
    std::lock_guard lock(mutex_);
    if (!plugged_) return std::vector<UsbDeviceInfo>{};
    return std::vector<UsbDeviceInfo>{SimDeviceInfo()};
}

bool SimulatedBoard::Open(const std::string& path, UsbDeviceInfo& info) {
    std::lock_guard lock(mutex_);
    open_ = false;
    if (!plugged_ || path != kDevicePath) return false;
    open_ = true;
    pending_.clear();
    info = SimDeviceInfo();
    return true;
}

void SimulatedBoard::Close() {
    std::lock_guard lock(mutex_);
    open_ = false;
    pending_.clear();
}

bool SimulatedBoard::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

int SimulatedBoard::Write(const Report& report) {
    bool removed = false;
    {
        std::lock_guard lock(mutex_);
        if (!open_) return -1;
        if (failWrites_ > 0) {
            --failWrites_;
            return -1;
        }
        const auto now = clock_.Now();
        const Payload payload = PayloadOf(report);
        if (keepTraffic_) traffic_.push_back({TraceDirection::ToBoard, payload, now});
        const ReportCheck check = CheckReport(report);
        if (const auto* reason = std::get_if<std::string>(&check)) {
            ProtocolError(*reason);
        } else {
            const CheckedReport& checked = std::get<CheckedReport>(check);
            if (std::string early = pace_.Written(checked.kind, now); !early.empty())
                PacingError(std::move(early));
            Apply(checked, payload);
        }
        if (unplugAfter_ > 0 && --unplugAfter_ == 0) removed = UnplugLocked();
    }
    if (removed) TellWatcher(DeviceChange::Removal);
    return static_cast<int>(kReportSize);
}

ReadOutcome SimulatedBoard::Read(Report& report, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    const auto begun = clock_.Now();
    const auto deadline = begun + timeout;
    if (open_) {
        if (std::string early = pace_.ReadBegun(begun); !early.empty())
            PacingError(std::move(early));
    }
    while (true) {
        if (!open_) return ReadOutcome::Failed;
        if (!pending_.empty()) {
            Deliver(pending_.front(), report);
            pending_.pop_front();
            return ReadOutcome::Report;
        }
        const bool sending = streaming_ && !silent_;
        const auto now = clock_.Now();
        if (sending && now >= nextStatus_) {
            Deliver(EncodeStatusReport(StatusLocked()), report);
            nextStatus_ = now + kStatusPeriod;
            return ReadOutcome::Report;
        }
        if (now >= deadline) return ReadOutcome::TimedOut;
        const auto wake = sending ? std::min(deadline, nextStatus_) : deadline;
        lock.unlock();
        clock_.SleepFor(wake - now);
        lock.lock();
    }
}

bool SimulatedBoard::WatchDevices(DeviceEventSink sink) {
    std::lock_guard lock(sinkMutex_);
    sink_ = std::move(sink);
    return true;
}

void SimulatedBoard::StopWatching() {
    std::lock_guard lock(sinkMutex_);
    sink_ = nullptr;
}

void SimulatedBoard::TellWatcher(DeviceChange change) {
    std::lock_guard lock(sinkMutex_);
    if (sink_) sink_({change, std::string(kDevicePath), std::nullopt});
}

void SimulatedBoard::SetMode(std::uint8_t mode) {
    std::lock_guard lock(mutex_);
    mode_ = mode;
}

void SimulatedBoard::SetVersions(std::uint8_t hardware, std::uint8_t firmware) {
    std::lock_guard lock(mutex_);
    hardwareVersion_ = hardware;
    firmwareVersion_ = firmware;
}

void SimulatedBoard::SetInputs(const EngineInputs& inputs) {
    std::lock_guard lock(mutex_);
    board_.SetInputs(inputs, clock_.Now());
    setReadings_.reset();
}

StatusReport SimulatedBoard::Status() {
    std::lock_guard lock(mutex_);
    return StatusLocked();
}

VirtualBoardView SimulatedBoard::View() {
    std::lock_guard lock(mutex_);
    return board_.View(clock_.Now());
}

void SimulatedBoard::SetStatus(const StatusReport& status) {
    std::lock_guard lock(mutex_);
    mode_ = status.mode;
    setReadings_ = status;
    setProgramState_ = status.programState;
}

void SimulatedBoard::SetSpeed(BoardSpeed speed) {
    std::lock_guard lock(mutex_);
    board_.SetSpeed(speed, clock_.Now());
}

bool SimulatedBoard::Step() {
    std::lock_guard lock(mutex_);
    return board_.Step(clock_.Now());
}

void SimulatedBoard::SetTimeOfDay(SimTime msOfDay) {
    std::lock_guard lock(mutex_);
    board_.SetTimeOfDay(msOfDay, clock_.Now());
}

StatusReport SimulatedBoard::StatusLocked() {
    const VirtualBoardView view = board_.View(clock_.Now());
    if (setReadings_) {
        StatusReport status = *setReadings_;
        status.mode = mode_;
        status.programState = setProgramState_.value_or(ProgramStateByte(view.state));
        return status;
    }
    StatusReport status;
    status.hardwareVersion = hardwareVersion_;
    status.firmwareVersion = firmwareVersion_;
    status.mode = mode_;
    status.programState = ProgramStateByte(view.state);
    status.light = Field(view.inputs.light);
    status.temperature = Field(view.inputs.temperature);
    status.sound = Field(view.inputs.sound);
    status.switchState = view.inputs.switchOn ? 1 : 0;
    return status;
}

void SimulatedBoard::Unplug() {
    bool removed = false;
    {
        std::lock_guard lock(mutex_);
        removed = UnplugLocked();
    }
    if (removed) TellWatcher(DeviceChange::Removal);
}

void SimulatedBoard::Plug() {
    bool arrived = false;
    {
        std::lock_guard lock(mutex_);
        arrived = !plugged_;
        plugged_ = true;
    }
    if (arrived) TellWatcher(DeviceChange::Arrival);
}

void SimulatedBoard::UnplugAfterWrites(int count) {
    std::lock_guard lock(mutex_);
    unplugAfter_ = count;
}

void SimulatedBoard::FailWrites(int count) {
    std::lock_guard lock(mutex_);
    failWrites_ = count;
}

void SimulatedBoard::SetSilent(bool silent) {
    std::lock_guard lock(mutex_);
    silent_ = silent;
}

void SimulatedBoard::InjectInputReport(const Payload& payload) {
    std::lock_guard lock(mutex_);
    pending_.push_back(payload);
}

bool SimulatedBoard::Streaming() const {
    std::lock_guard lock(mutex_);
    return streaming_;
}

SimulatedBoard::ProgramArea SimulatedBoard::StoredProgram(StorageArea area) const {
    std::lock_guard lock(mutex_);
    const auto stored = board_.ProgramArea(area == StorageArea::Save2 ? 1 : 0);
    ProgramArea entries{};
    for (std::size_t i = 0; i < entries.size(); ++i)
        std::copy_n(stored.begin() + static_cast<std::ptrdiff_t>(i * kEntryBytes), kEntryBytes,
                    entries[i].begin());
    return entries;
}

MelodyImage SimulatedBoard::StoredMelody() const {
    std::lock_guard lock(mutex_);
    MelodyImage melody{};
    std::copy(board_.Melody().begin(), board_.Melody().end(), melody.begin());
    return melody;
}

std::optional<TimeOfDay> SimulatedBoard::StoredClock() const {
    std::lock_guard lock(mutex_);
    return clockSetting_;
}

std::vector<BoardTraffic> SimulatedBoard::Traffic() const {
    std::lock_guard lock(mutex_);
    return traffic_;
}

void SimulatedBoard::ClearTraffic() {
    std::lock_guard lock(mutex_);
    traffic_.clear();
}

void SimulatedBoard::KeepTraffic(bool keep) {
    std::lock_guard lock(mutex_);
    keepTraffic_ = keep;
    if (!keep) traffic_.clear();
}

int SimulatedBoard::ProtocolErrors() const {
    std::lock_guard lock(mutex_);
    return protocolErrors_;
}

int SimulatedBoard::PacingErrors() const {
    std::lock_guard lock(mutex_);
    return pacingErrors_;
}

std::vector<std::string> SimulatedBoard::Complaints() const {
    std::lock_guard lock(mutex_);
    return complaints_;
}

void SimulatedBoard::Apply(const CheckedReport& report, const Payload& payload) {
    const auto now = clock_.Now();
    switch (report.kind) {
        case ReportKind::Reset:
            board_.Reset(now);
            setProgramState_.reset();
            break;
        case ReportKind::Run:
            board_.Run(now);
            setProgramState_.reset();
            break;
        case ReportKind::Neutral:
            break;
        case ReportKind::InfoRequest:
            if (!silent_) pending_.push_back(BoardInfoAnswer());
            break;
        case ReportKind::StatusRequest:
            streaming_ = true;
            nextStatus_ = now + kStatusPeriod;
            break;
        case ReportKind::ProgramHeader:
            BeginTransfer(report.address, kProgramAreaBytes);
            break;
        case ReportKind::MelodyHeader:
            BeginTransfer(report.address, kMelodyAreaBytes);
            break;
        case ReportKind::Block:
            ApplyBlock(report.address, payload);
            break;
        case ReportKind::Clock:
            ApplyClock(payload);
            break;
    }
}

void SimulatedBoard::BeginTransfer(std::uint16_t area, std::uint16_t size) {
    if (transfer_)
        ProtocolError("the transfer to " + Hex(transfer_->area) + " was left after " +
                      std::to_string(transfer_->received) + " of " +
                      std::to_string(transfer_->blocks) + " blocks");
    transfer_ = Transfer{area, size / kBlockBytes, 0, {}};
}

// Blocks count only in order, each at its address; the area is taken once all have come.
void SimulatedBoard::ApplyBlock(std::uint16_t address, const Payload& payload) {
    if (!transfer_) {
        ProtocolError("block for " + Hex(address) + " without an area header");
        return;
    }
    const auto expected = static_cast<std::uint16_t>(transfer_->area +
                                                     kBlockBytes * transfer_->received);
    if (address != expected) {
        ProtocolError("block for " + Hex(address) + " where block " +
                      std::to_string(transfer_->received) + " for " + Hex(expected) +
                      " was due; the transfer is dropped");
        transfer_.reset();
        return;
    }
    const auto data = payload.begin() + kDataOffset;
    transfer_->bytes.insert(transfer_->bytes.end(), data, data + kBlockBytes);
    if (++transfer_->received < transfer_->blocks) return;
    if (transfer_->area == kMelodyAreaAddress)
        board_.StoreMelody(transfer_->bytes);
    else
        board_.StoreProgram(AreaIndex(transfer_->area), transfer_->bytes, clock_.Now());
    if (transfer_->area != kMelodyAreaAddress) setProgramState_.reset();
    transfer_.reset();
}

void SimulatedBoard::ApplyClock(const Payload& payload) {
    const auto data = payload.begin() + kDataOffset;
    const TimeOfDay time{data[3], data[4], data[5]};
    clockSetting_ = time;
    if (time.hour == TimeOfDay::kUnknown || time.minute == TimeOfDay::kUnknown) return;
    const int second = time.second == TimeOfDay::kUnknown ? 0 : time.second;
    board_.SetTimeOfDay(((time.hour * 60LL + time.minute) * 60 + second) * 1000, clock_.Now());
}

void SimulatedBoard::Deliver(const Payload& payload, Report& report) {
    report = FrameReport(payload);
    const auto now = clock_.Now();
    if (keepTraffic_) traffic_.push_back({TraceDirection::FromBoard, payload, now});
    pace_.Delivered(now);
}

void SimulatedBoard::ProtocolError(std::string reason) {
    ++protocolErrors_;
    complaints_.push_back("protocol: " + std::move(reason));
}

void SimulatedBoard::PacingError(std::string reason) {
    ++pacingErrors_;
    complaints_.push_back("pacing: " + std::move(reason));
}

Payload SimulatedBoard::BoardInfoAnswer() const {
    Payload payload = BuildReport(BoardCommand::ReadRequest, kBoardInfoAddress, kBlockBytes);
    std::fill(payload.begin() + kDataOffset, payload.end(), 0x00);
    payload[kDataOffset] = hardwareVersion_;
    payload[kDataOffset + 1] = firmwareVersion_;
    return payload;
}

bool SimulatedBoard::UnplugLocked() {
    const bool wasPlugged = plugged_;
    plugged_ = false;
    open_ = false;
    streaming_ = false;
    pending_.clear();
    transfer_.reset();
    board_.Reset(clock_.Now());  // the board loses power
    setProgramState_.reset();
    return wasPlugged;
}
