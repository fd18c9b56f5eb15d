// The simulated board: answers the handshake, streams status, stores what it is sent.
#include "simulated_board.h"

#include <algorithm>

namespace {

constexpr std::uint16_t kSimVersionNumber = 0x0100;
constexpr std::string_view kSimSerial = "SIM-0001";

UsbDeviceInfo SimDeviceInfo() {
    return UsbDeviceInfo{kBoardVendorId, kBoardProductId, kSimVersionNumber,
                         std::string(kSimSerial), std::string(SimulatedBoard::kDevicePath)};
}

StatusReport DefaultStatus() {
    StatusReport status;
    status.hardwareVersion = 0x10;
    status.firmwareVersion = 0x10;
    status.mode = kModeProg;
    status.programState = kProgramReset2;
    status.temperature = 20;
    return status;
}

}  // namespace

SimulatedBoard::SimulatedBoard(ILinkClock& clock) : clock_(clock), status_(DefaultStatus()) {
    for (const StorageArea area : {StorageArea::Save1, StorageArea::Save2}) {
        areas_.push_back(
            {ProgramAreaAddress(area), std::vector<std::uint8_t>(kProgramAreaBytes, 0xFF)});
    }
    areas_.push_back({kMelodyAreaAddress, std::vector<std::uint8_t>(kMelodyAreaBytes, 0xFF)});
}

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
        const Payload payload = PayloadOf(report);
        traffic_.push_back({TraceDirection::ToBoard, payload, clock_.Now()});
        Apply(payload);
        if (unplugAfter_ > 0 && --unplugAfter_ == 0) removed = UnplugLocked();
    }
    if (removed) TellWatcher(DeviceChange::Removal);
    return static_cast<int>(kReportSize);
}

ReadOutcome SimulatedBoard::Read(Report& report, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    const auto deadline = clock_.Now() + timeout;
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
            Deliver(EncodeStatusReport(status_), report);
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

void SimulatedBoard::SetStatus(const StatusReport& status) {
    std::lock_guard lock(mutex_);
    status_ = status;
}

StatusReport SimulatedBoard::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
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
    const Area& stored = AreaAt(ProgramAreaAddress(area));
    ProgramArea entries{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto from = stored.bytes.begin() + static_cast<std::ptrdiff_t>(i * kEntryBytes);
        std::copy(from, from + kEntryBytes, entries[i].begin());
    }
    return entries;
}

MelodyImage SimulatedBoard::StoredMelody() const {
    std::lock_guard lock(mutex_);
    const Area& stored = AreaAt(kMelodyAreaAddress);
    MelodyImage melody{};
    std::copy(stored.bytes.begin(), stored.bytes.end(), melody.begin());
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

void SimulatedBoard::Apply(const Payload& payload) {
    const auto header = ParseReportHeader(payload);
    if (!header) return;
    switch (static_cast<BoardCommand>(header->command)) {
        case BoardCommand::Control:
            if (header->address == kControlRegister) ApplyControl(payload);
            break;
        case BoardCommand::ReadRequest:
            if (header->address == kBoardInfoAddress && !silent_)
                pending_.push_back(BoardInfoAnswer());
            if (header->address == kStatusAddress) {
                streaming_ = true;
                nextStatus_ = clock_.Now() + kStatusPeriod;
            }
            break;
        case BoardCommand::AreaHeader:
            if (FindArea(header->address) != nullptr) announcedArea_ = header->address;
            break;
        case BoardCommand::BlockWrite:
            ApplyBlock(header->address, payload);
            break;
    }
}

void SimulatedBoard::ApplyControl(const Payload& payload) {
    const std::uint8_t value = payload[kDataOffset];
    if (payload[kDataOffset + 1] != static_cast<std::uint8_t>(value ^ 0xFF)) return;
    if (value == static_cast<std::uint8_t>(ControlValue::Reset))
        status_.programState = kProgramReset2;
    if (value == static_cast<std::uint8_t>(ControlValue::Run))
        status_.programState = kProgramRunning;
}

void SimulatedBoard::ApplyBlock(std::uint16_t address, const Payload& payload) {
    const auto data = payload.begin() + kDataOffset;
    if (address == kControlRegister) {
        if (data[0] == 0x00 && data[1] == 0xFF && data[2] == 0x01) {
            clockSetting_ = TimeOfDay{data[3], data[4], data[5]};
        }
        return;
    }
    // Blocks count only inside the area the last header announced.
    Area* area = announcedArea_ ? FindArea(*announcedArea_) : nullptr;
    if (area == nullptr || address < area->address) return;
    const std::size_t offset = address - area->address;
    if (offset + kBlockBytes > area->bytes.size()) return;
    std::copy(data, data + kBlockBytes, area->bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void SimulatedBoard::Deliver(const Payload& payload, Report& report) {
    report = FrameReport(payload);
    traffic_.push_back({TraceDirection::FromBoard, payload, clock_.Now()});
}

Payload SimulatedBoard::BoardInfoAnswer() const {
    Payload payload = BuildReport(BoardCommand::ReadRequest, kBoardInfoAddress, kBlockBytes);
    std::fill(payload.begin() + kDataOffset, payload.end(), 0x00);
    payload[kDataOffset] = status_.hardwareVersion;
    payload[kDataOffset + 1] = status_.firmwareVersion;
    return payload;
}

bool SimulatedBoard::UnplugLocked() {
    const bool wasPlugged = plugged_;
    plugged_ = false;
    open_ = false;
    streaming_ = false;
    pending_.clear();
    announcedArea_.reset();
    status_.programState = kProgramReset2;  // the board loses power
    return wasPlugged;
}

SimulatedBoard::Area* SimulatedBoard::FindArea(std::uint16_t address) {
    for (Area& area : areas_) {
        if (area.address == address) return &area;
    }
    return nullptr;
}

const SimulatedBoard::Area& SimulatedBoard::AreaAt(std::uint16_t address) const {
    return *std::find_if(areas_.begin(), areas_.end(),
                         [address](const Area& area) { return area.address == address; });
}
