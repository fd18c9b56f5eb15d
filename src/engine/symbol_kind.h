// Kind codes of chart objects and the symbol class each kind belongs to.
#pragma once

namespace Kind {
inline constexpr int Start = 0;
inline constexpr int End = 1;
inline constexpr int Led = 2;
inline constexpr int Relay1 = 3;
inline constexpr int Relay2 = 4;
inline constexpr int Relay3 = 5;
inline constexpr int Sound = 6;
inline constexpr int Wait = 7;
inline constexpr int ClockAlarm = 8;
inline constexpr int SensorLight = 9;
inline constexpr int SensorTemperature = 10;
inline constexpr int SensorSound = 11;
inline constexpr int Switch1 = 12;
inline constexpr int Switch2 = 13;
inline constexpr int Switch3 = 14;
inline constexpr int TimeDecision = 15;
inline constexpr int LoopBegin = 16;
inline constexpr int LoopEnd = 17;
inline constexpr int CallSub = 18;
inline constexpr int TimerReset = 19;
inline constexpr int Timer = 20;
inline constexpr int Parallel = 21;
inline constexpr int Line = 22;
inline constexpr int SymbolCount = 22;  // kinds 0..21 are symbols
}  // namespace Kind

// The class that draws, connects and edits a kind (several kinds share one).
enum class SymbolClass {
    Start,
    End,
    Led,
    Relay,
    Sound,
    Wait,
    ClockAlarm,
    Sensor,
    SensorSwitch,
    TimeDecision,
    LoopBegin,
    LoopEnd,
    CallSub,
    TimerReset,
    Timer,
    Parallel,
    Line,
};

constexpr SymbolClass ClassOfKind(int kind) {
    constexpr SymbolClass table[] = {
        SymbolClass::Start,        SymbolClass::End,          SymbolClass::Led,
        SymbolClass::Relay,        SymbolClass::Relay,        SymbolClass::Relay,
        SymbolClass::Sound,        SymbolClass::Wait,         SymbolClass::ClockAlarm,
        SymbolClass::Sensor,       SymbolClass::Sensor,       SymbolClass::Sensor,
        SymbolClass::SensorSwitch, SymbolClass::SensorSwitch, SymbolClass::SensorSwitch,
        SymbolClass::TimeDecision, SymbolClass::LoopBegin,    SymbolClass::LoopEnd,
        SymbolClass::CallSub,      SymbolClass::TimerReset,   SymbolClass::Timer,
        SymbolClass::Parallel,     SymbolClass::Line,
    };
    return kind >= 0 && kind <= Kind::Line ? table[kind] : SymbolClass::Line;
}

constexpr bool IsSymbolKind(int kind) { return kind >= 0 && kind < Kind::SymbolCount; }

// Decision classes have a branch exit besides the next exit.
constexpr bool HasBranchExit(SymbolClass c) {
    return c == SymbolClass::Sensor || c == SymbolClass::SensorSwitch ||
           c == SymbolClass::TimeDecision || c == SymbolClass::Timer;
}
constexpr bool HasEntry(SymbolClass c) { return c != SymbolClass::Start && c != SymbolClass::Line; }
constexpr bool HasNextExit(SymbolClass c) {
    return c != SymbolClass::End && c != SymbolClass::Parallel && c != SymbolClass::Line;
}
