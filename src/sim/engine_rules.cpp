// What each instruction does: outputs, waits, decisions, loops, calls, the end and parallel runs.
#include <algorithm>

#include "nuvo_engine.h"
#include "opcodes.h"

namespace {

constexpr std::uint8_t kTwoExits = 0x80;  // layout bit: a decision
constexpr std::uint8_t kOn = 0x80;        // state bit of the LED, relays and sound
constexpr std::uint8_t kTwoValueMode = 0x83;

int Word(std::uint8_t high, std::uint8_t low) { return high << 8 | low; }

// Hours above 23 and minutes above 59 count as 23 and 59, as the dialogs store them.
int MinuteOfDay(std::uint8_t hour, std::uint8_t minute) {
    return std::min<int>(hour, 23) * 60 + std::min<int>(minute, 59);
}

int Volume(std::uint8_t state) {
    if (state & 0x04) return 3;
    if (state & 0x02) return 2;
    return 1;
}

SoundKind SoundOf(std::uint8_t sound) {
    switch (sound) {
        case 0x01:
            return SoundKind::Buzzer;
        case 0x02:
            return SoundKind::Alarm;
        case 0x04:
            return SoundKind::Melody;
        case 0x08:
            return SoundKind::OwnMelody;
        default:
            return SoundKind::Off;
    }
}

}  // namespace

bool CompareBy(std::uint8_t code, int lhs, int rhs) {
    switch (code) {
        case 0xA:
            return lhs < rhs;
        case 0xB:
            return lhs >= rhs;
        case 0xC:
            return lhs > rhs;
        case 0xD:
            return lhs <= rhs;
        case 0xE:
            return lhs != rhs;
        default:
            return lhs == rhs;
    }
}

NuvoEngine::Outcome NuvoEngine::Execute(Flow& flow, int slot) {
    const EntryCode& code = program_.Entry(slot);
    const bool decision = (code[0] & kTwoExits) != 0;
    const Outcome next{Outcome::Kind::Next, code[7]};
    switch (code[1]) {
        case Opcode::Start:
            return next;
        case Opcode::End:
            return {Outcome::Kind::EndProgram};
        case Opcode::Return:
            return Return(flow);
        case Opcode::Led:
            SetLed(code);
            return next;
        case Opcode::Relay1s:
        case Opcode::Relay4m:
        case Opcode::Relay2s:
            SetRelay(code);
            return next;
        case Opcode::Beep:
            SetSound(code);
            return next;
        case Opcode::Wait:
            // Even a wait of 0 takes a millisecond, so that time always moves on.
            return {Outcome::Kind::Next, code[7], std::max(1, Word(code[2], code[3]) * 100)};
        case Opcode::Timer:
            if (decision) return Decide(code);
            timerStart_ = now_;
            return next;
        case Opcode::Rtc:
            if (decision) return Decide(code);
            SetAlarm(code);
            return next;
        case Opcode::SensorM1:
        case Opcode::SensorM2:
        case Opcode::SensorM3:
        case Opcode::Switch1:
        case Opcode::Switch2:
        case Opcode::Switch3:
            return Decide(code);
        case Opcode::LoopBegin:
        case Opcode::LoopEnd:
            return Loop(flow, slot, code);
        case Opcode::CallSub:
            return Call(flow, slot, code);
        case Opcode::Parallel:
            return {Outcome::Kind::Parallel};
        default:
            return {Outcome::Kind::Fault, 0, 0, {FaultKind::UnknownOpcode, slot, code[1]}};
    }
}

// True follows the next exit (はい, byte 7), false the branch exit (いいえ, byte 6).
NuvoEngine::Outcome NuvoEngine::Decide(const EntryCode& code) const {
    bool yes = false;
    switch (code[1]) {
        case Opcode::Switch1:
            yes = inputs_.switchOn;
            break;
        case Opcode::Switch2:
            yes = inputs_.input2;
            break;
        case Opcode::Switch3:
            yes = inputs_.input3;
            break;
        case Opcode::Timer:
            yes = CompareBy(code[3] & 0x0F, static_cast<int>((now_ - timerStart_) / 100),
                            Word(code[4], code[5]));
            break;
        case Opcode::Rtc:
            yes = CompareBy(code[3] & 0x0F, static_cast<int>(ClockAt(now_) / 60000),
                            MinuteOfDay(code[4], code[5]));
            break;
        default: {
            // reading op1 u; in two-value mode also w op2 reading, as the dialog reads left to right
            const int reading = SensorReading(code[1]);
            yes = CompareBy(code[3] & 0x0F, reading, code[4]);
            if (code[2] == kTwoValueMode) yes = yes && CompareBy(code[3] >> 4, code[5], reading);
            break;
        }
    }
    return {Outcome::Kind::Next, yes ? code[7] : code[6]};
}

int NuvoEngine::SensorReading(std::uint8_t opcode) const {
    if (opcode == Opcode::SensorM2) return inputs_.temperature;
    if (opcode == Opcode::SensorM3) return inputs_.sound;
    return inputs_.light;
}

// Loop begin opens a loop whose body runs r times; loop end closes the
// innermost loop opened at the same call depth. A loop begin reached again
// while its loop is open starts that loop afresh.
NuvoEngine::Outcome NuvoEngine::Loop(Flow& flow, int slot, const EntryCode& code) {
    const std::size_t depth = flow.returns.size();
    if (code[1] == Opcode::LoopBegin) {
        const auto open = std::find_if(flow.loops.begin(), flow.loops.end(), [&](const auto& f) {
            return f.beginSlot == slot && f.callDepth == depth;
        });
        flow.loops.erase(open, flow.loops.end());
        flow.loops.push_back({slot, code[7], std::max<int>(code[5], 1), depth});
        return {Outcome::Kind::Next, code[7]};
    }
    if (flow.loops.empty() || flow.loops.back().callDepth != depth)
        return {Outcome::Kind::Fault, 0, 1, {FaultKind::LoopEndWithoutLoop, slot, 0}};
    LoopFrame& loop = flow.loops.back();
    if (--loop.remaining > 0) return {Outcome::Kind::Next, loop.bodySlot};
    flow.loops.pop_back();
    return {Outcome::Kind::Next, code[7]};
}

NuvoEngine::Outcome NuvoEngine::Call(Flow& flow, int slot, const EntryCode& code) {
    const int start = code[6];
    if (start == kNoSlot)
        return {Outcome::Kind::Fault, 0, 1, {FaultKind::NoSubStart, slot, code[2]}};
    if (flow.returns.size() >= static_cast<std::size_t>(kMaxCallDepth))
        return {Outcome::Kind::Fault, 0, 1, {FaultKind::CallsTooDeep, slot, start}};
    flow.returns.emplace_back(slot, code[7]);
    return {Outcome::Kind::Next, start};
}

// 戻る goes back after the call; with no call to go back to it ends the flow,
// and with it the program once no other flow runs.
NuvoEngine::Outcome NuvoEngine::Return(Flow& flow) {
    if (flow.returns.empty()) return {Outcome::Kind::EndFlow};
    const auto [call, back] = flow.returns.back();
    flow.returns.pop_back();
    const std::size_t depth = flow.returns.size();
    std::erase_if(flow.loops, [depth](const LoopFrame& f) { return f.callDepth > depth; });
    Outcome outcome{Outcome::Kind::Next, back};
    outcome.from = call;  // the call's next slot is where it goes on
    return outcome;
}

void NuvoEngine::SetLed(const EntryCode& code) {
    EngineOutputs next = outputs_;
    // c1 low nibble blue, c2 high nibble red, c2 low nibble green.
    const int blue = code[3] & 0x0F;
    const int red = code[4] >> 4;
    const int green = code[4] & 0x0F;
    next.led = (code[2] & kOn) ? static_cast<std::uint16_t>(red << 8 | green << 4 | blue) : 0;
    next.ledFadeIn = (code[2] & 0x02) != 0;
    next.ledFadeOut = (code[2] & 0x04) != 0;
    Change(OutputKind::Led, next);
}

void NuvoEngine::SetRelay(const EntryCode& code) {
    EngineOutputs next = outputs_;
    const bool on = (code[2] & kOn) != 0;
    OutputKind kind = OutputKind::WhiteLed;
    if (code[1] == Opcode::Relay1s) next.whiteLed = on;
    if (code[1] == Opcode::Relay4m) {
        next.usbPower = on;
        kind = OutputKind::UsbPower;
    }
    if (code[1] == Opcode::Relay2s) {
        next.output3 = on;
        kind = OutputKind::Output3;
    }
    Change(kind, next);
}

void NuvoEngine::SetSound(const EntryCode& code) {
    EngineOutputs next = outputs_;
    next.sound = (code[2] & kOn) ? SoundOf(code[3]) : SoundKind::Off;
    next.volume = next.sound == SoundKind::Off ? 0 : Volume(code[2]);
    Change(OutputKind::Sound, next);
}

void NuvoEngine::SetAlarm(const EntryCode& code) {
    EngineOutputs next = outputs_;
    next.alarmMinute = MinuteOfDay(code[4], code[5]);
    Change(OutputKind::Alarm, next);
    ArmAlarm();
}
