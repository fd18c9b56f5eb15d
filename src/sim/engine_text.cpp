// English texts for output changes and faults.
#include "engine_text.h"

#include <cstdio>

#include "nuvo_engine.h"

namespace {

std::string Where(int slot) {
    return slot == 0 ? std::string("the start entry") : "slot " + std::to_string(slot);
}

std::string Hex(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

std::string SoundName(SoundKind sound) {
    switch (sound) {
        case SoundKind::Buzzer:
            return "buzzer";
        case SoundKind::Alarm:
            return "alarm";
        case SoundKind::Melody:
            return "melody";
        case SoundKind::OwnMelody:
            return "own-melody";
        case SoundKind::Off:
            break;
    }
    return "off";
}

}  // namespace

std::string DescribeChange(const OutputEvent& event) {
    const EngineOutputs& out = event.outputs;
    char text[16];
    switch (event.kind) {
        case OutputKind::Led:
            std::snprintf(text, sizeof text, "led %03X", out.led & 0xFFF);
            return text;
        case OutputKind::WhiteLed:
            return "white-led " + OnOff(out.whiteLed);
        case OutputKind::UsbPower:
            return "usb-power " + OnOff(out.usbPower);
        case OutputKind::Output3:
            return "output3 " + OnOff(out.output3);
        case OutputKind::Sound:
            if (out.sound == SoundKind::Off) return "sound off";
            return "sound " + SoundName(out.sound) + " " + std::to_string(out.volume);
        case OutputKind::Alarm: {
            const int minute = out.alarmMinute.value_or(0);
            std::snprintf(text, sizeof text, "alarm %02d:%02d", minute / 60 % 100, minute % 60);
            return text;
        }
    }
    return "";
}

std::string DescribeFault(const EngineFault& fault) {
    const std::string where = Where(fault.slot);
    switch (fault.kind) {
        case FaultKind::NoSuccessor:
            return where + " leads nowhere";
        case FaultKind::SlotOutOfRange:
            return where + " leads to slot " + std::to_string(fault.target) + ", outside 1-250";
        case FaultKind::EmptySlot:
            return where + " holds no instruction";
        case FaultKind::UnknownOpcode:
            return where + " holds the unknown opcode " + Hex(fault.target);
        case FaultKind::NoSubStart:
            return where + " calls sub chart " + std::to_string(fault.target) +
                   ", which has no start";
        case FaultKind::LoopEndWithoutLoop:
            return where + " ends a loop that is not open";
        case FaultKind::CallsTooDeep:
            return where + " nests calls deeper than " + std::to_string(kMaxCallDepth);
    }
    return where + " failed";
}

Timeline RunTimeline(const EngineProgram& program, const EngineInputs& inputs, SimTime timeOfDay,
                     SimTime limit) {
    NuvoEngine engine(program, inputs, timeOfDay);
    engine.RecordEvents(true);
    engine.RunUntil(limit);
    Timeline timeline;
    timeline.state = engine.State();
    for (const OutputEvent& event : engine.TakeEvents())
        timeline.lines.push_back(std::to_string(event.time) + " " + DescribeChange(event));
    switch (timeline.state) {
        case RunState::Ended:
            timeline.lines.push_back(std::to_string(engine.EndTime()) + " end ended");
            break;
        case RunState::Error:
            timeline.lines.push_back(std::to_string(engine.EndTime()) + " end error " +
                                     DescribeFault(*engine.Fault()));
            break;
        default:
            timeline.lines.push_back(std::to_string(limit) + " end running");
            break;
    }
    return timeline;
}
