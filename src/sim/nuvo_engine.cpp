// The engine's flows and time: which instruction runs when, faults, the end, the alarm.
#include "nuvo_engine.h"

#include <algorithm>

namespace {

bool IsSlot(int slot) { return slot >= kFirstSlot && slot <= kLastSlot; }

// A fault in leaving `from` for `next`, if there is one.
std::optional<EngineFault> SuccessorFault(int from, int next) {
    if (next == kNoSlot) return EngineFault{FaultKind::NoSuccessor, from, next};
    if (!IsSlot(next)) return EngineFault{FaultKind::SlotOutOfRange, from, next};
    return std::nullopt;
}

// Ties go to the main flow, then to the sub chart with the lower start slot.
bool RunsBefore(SimTime due, int origin, SimTime otherDue, int otherOrigin) {
    return due != otherDue ? due < otherDue : origin < otherOrigin;
}

}  // namespace

NuvoEngine::NuvoEngine(const EngineProgram& program, const EngineInputs& inputs,
                       SimTime timeOfDay)
    : program_(program), inputs_(inputs), clockOffset_(timeOfDay) {
    const int start = program_.MainStart();
    if (start == kNoSlot) {
        Finish(RunState::Ended, 0);  // nothing to run
        return;
    }
    if (const auto fault = SuccessorFault(0, start)) {
        Fail(*fault, 0);
        return;
    }
    Flow main;
    main.slot = start;
    flows_.push_back(std::move(main));
}

void NuvoEngine::RunUntil(SimTime time) {
    while (state_ == RunState::Running) {
        Flow* flow = NextFlow();
        if (AlarmDueBefore(flow)) {
            if (*alarmAt_ > time) break;
            now_ = *alarmAt_;
            RingAlarm();
            continue;
        }
        if (flow == nullptr || flow->due > time) break;
        RunFlow(*flow);
    }
    now_ = std::max(now_, time);
}

bool NuvoEngine::StepOne() {
    while (state_ == RunState::Running) {
        Flow* flow = NextFlow();
        if (AlarmDueBefore(flow)) {
            now_ = *alarmAt_;
            RingAlarm();
            continue;
        }
        if (flow == nullptr) break;
        RunFlow(*flow);
        return true;
    }
    return false;
}

void NuvoEngine::SetInputs(const EngineInputs& inputs) { inputs_ = inputs; }

void NuvoEngine::SetTimeOfDay(SimTime msOfDay) {
    clockOffset_ = msOfDay - now_;
    if (alarmAt_) ArmAlarm();
}

std::vector<OutputEvent> NuvoEngine::TakeEvents() {
    std::vector<OutputEvent> taken;
    taken.swap(events_);
    return taken;
}

std::vector<int> NuvoEngine::ActiveSlots() const {
    std::vector<int> slots;
    for (const Flow& flow : flows_) slots.push_back(flow.current != 0 ? flow.current : flow.slot);
    return slots;
}

NuvoEngine::Flow* NuvoEngine::NextFlow() {
    Flow* next = nullptr;
    for (Flow& flow : flows_) {
        if (next == nullptr || RunsBefore(flow.due, flow.origin, next->due, next->origin))
            next = &flow;
    }
    return next;
}

// The alarm rings before an instruction due at the same millisecond.
bool NuvoEngine::AlarmDueBefore(const Flow* flow) const {
    return alarmAt_ && (flow == nullptr || *alarmAt_ <= flow->due);
}

void NuvoEngine::RunFlow(Flow& flow) {
    now_ = flow.due;
    if (flow.pendingFault) {
        Fail(*flow.pendingFault, now_);
        return;
    }
    const int slot = flow.slot;
    if (program_.IsEmpty(slot)) {
        Fail({FaultKind::EmptySlot, slot, slot}, now_);
        return;
    }
    flow.current = slot;
    const Outcome outcome = Execute(flow, slot);
    switch (outcome.kind) {
        case Outcome::Kind::Next:
            GoOn(flow, outcome.from != 0 ? outcome.from : slot, outcome.next, outcome.duration);
            break;
        case Outcome::Kind::Fault:
            if (outcome.duration == 0) {
                Fail(outcome.fault, now_);
            } else {
                flow.pendingFault = outcome.fault;
                flow.due = now_ + outcome.duration;
            }
            break;
        case Outcome::Kind::EndProgram:
            Finish(RunState::Ended, now_);
            break;
        case Outcome::Kind::EndFlow:
        case Outcome::Kind::Parallel: {
            const bool parallel = outcome.kind == Outcome::Kind::Parallel;
            const SimTime due = now_ + outcome.duration;
            flows_.erase(flows_.begin() + (&flow - flows_.data()));
            if (parallel) StartSubCharts(due);
            if (flows_.empty()) Finish(RunState::Ended, now_);
            break;
        }
    }
}

void NuvoEngine::GoOn(Flow& flow, int from, int next, SimTime duration) {
    flow.due = now_ + duration;
    flow.pendingFault = SuccessorFault(from, next);
    flow.slot = next;
}

// Every sub chart with a start runs from due on, each in a flow of its own;
// one that is running already is not started twice.
void NuvoEngine::StartSubCharts(SimTime due) {
    for (const int start : program_.SubChartStarts()) {
        const bool running = std::any_of(flows_.begin(), flows_.end(),
                                         [start](const Flow& f) { return f.origin == start; });
        if (running) continue;
        Flow flow;
        flow.origin = start;
        flow.slot = start;
        flow.due = due;
        flows_.push_back(std::move(flow));
    }
}

void NuvoEngine::RingAlarm() {
    alarmAt_.reset();
    EngineOutputs next = outputs_;
    next.sound = SoundKind::Alarm;
    next.volume = 2;
    Change(OutputKind::Sound, next);
}

// The alarm rings when the clock next reaches the alarm minute.
void NuvoEngine::ArmAlarm() {
    const SimTime target = static_cast<SimTime>(*outputs_.alarmMinute) * 60 * 1000;
    SimTime ahead = (target - ClockAt(now_)) % kMsPerDay;
    if (ahead <= 0) ahead += kMsPerDay;
    alarmAt_ = now_ + ahead;
}

void NuvoEngine::Finish(RunState state, SimTime at) {
    state_ = state;
    endTime_ = at;
    now_ = at;
    flows_.clear();
    alarmAt_.reset();
}

void NuvoEngine::Fail(const EngineFault& fault, SimTime at) {
    fault_ = fault;
    Finish(RunState::Error, at);
}

void NuvoEngine::Change(OutputKind kind, const EngineOutputs& next) {
    const EngineOutputs before = outputs_;
    outputs_ = next;
    bool changed = false;
    switch (kind) {
        case OutputKind::Led:
            changed = before.led != next.led;
            break;
        case OutputKind::WhiteLed:
            changed = before.whiteLed != next.whiteLed;
            break;
        case OutputKind::UsbPower:
            changed = before.usbPower != next.usbPower;
            break;
        case OutputKind::Output3:
            changed = before.output3 != next.output3;
            break;
        case OutputKind::Sound:
            changed = before.sound != next.sound || before.volume != next.volume;
            break;
        case OutputKind::Alarm:
            changed = before.alarmMinute != next.alarmMinute;
            break;
    }
    if (changed && recording_) events_.push_back({now_, kind, outputs_});
}

SimTime NuvoEngine::ClockAt(SimTime time) const {
    const SimTime clock = (clockOffset_ + time) % kMsPerDay;
    return clock < 0 ? clock + kMsPerDay : clock;
}
