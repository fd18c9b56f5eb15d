// What the virtual board's engine reads, drives and reports: inputs, outputs, faults.
#pragma once

#include <cstdint>
#include <optional>

// Simulated time in milliseconds since the program started.
using SimTime = std::int64_t;

inline constexpr SimTime kMsPerDay = 24LL * 60 * 60 * 1000;

// The board's inputs as the decisions read them.
struct EngineInputs {
    int light = 500;         // lx
    int temperature = 20;    // °C
    int sound = 0;           // level, no unit
    bool switchOn = false;   // the board's switch (switch decision kind 12)
    bool input2 = false;     // the two further inputs (kinds 13 and 14)
    bool input3 = false;
    bool operator==(const EngineInputs&) const = default;
};

enum class SoundKind { Off, Buzzer, Alarm, Melody, OwnMelody };

// The board's outputs. The LED colour is 12 bits, red, green, blue from the
// high nibble down; a dark LED is 0.
struct EngineOutputs {
    std::uint16_t led = 0;
    bool ledFadeIn = false;   // the colour comes up over a second
    bool ledFadeOut = false;  // and goes down over a second when replaced
    bool whiteLed = false;
    bool usbPower = false;
    bool output3 = false;
    SoundKind sound = SoundKind::Off;
    int volume = 0;                   // 1 小, 2 中, 3 大 while a sound plays
    std::optional<int> alarmMinute;   // the clock alarm, minutes since midnight
    bool operator==(const EngineOutputs&) const = default;
};

enum class OutputKind { Led, WhiteLed, UsbPower, Output3, Sound, Alarm };

// One output change: what changed, when, and every output after it.
struct OutputEvent {
    SimTime time = 0;
    OutputKind kind = OutputKind::Led;
    EngineOutputs outputs;
    bool operator==(const OutputEvent&) const = default;
};

enum class RunState { Reset, Running, Ended, Error };

enum class FaultKind {
    NoSuccessor,         // the slot to go on with is FE
    SlotOutOfRange,      // ... or outside 1..250
    EmptySlot,           // the slot holds no instruction
    UnknownOpcode,       // the slot's opcode is none the engine knows
    NoSubStart,          // a call of a sub chart that has no start
    LoopEndWithoutLoop,  // a loop end with no loop open
    CallsTooDeep,        // a ninth nested call
};

// Why the program stopped with an execution error. slot is the instruction
// the fault belongs to (0: the entry record); target the slot, opcode or sub
// chart it names.
struct EngineFault {
    FaultKind kind = FaultKind::NoSuccessor;
    int slot = 0;
    int target = 0;
    bool operator==(const EngineFault&) const = default;
};

// The nesting limit of subroutine calls.
inline constexpr int kMaxCallDepth = 8;
