// The virtual board's engine: runs a program image in simulated milliseconds.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "engine_program.h"
#include "engine_types.h"

// An instruction executes at the current time T (its output changes happen
// at T); the next one of the same flow follows 1 ms later, or after a wait
// its waiting time later. Every run is exact and repeatable: time moves only
// when RunUntil or StepOne is called.
class NuvoEngine {
public:
    // Starts the program at time 0 with the clock reading timeOfDay (ms since midnight).
    explicit NuvoEngine(const EngineProgram& program, const EngineInputs& inputs = {},
                        SimTime timeOfDay = 0);

    // Executes everything due at or before time; afterwards Now() is time.
    void RunUntil(SimTime time);
    // Executes the next instruction, whenever it is due; false when the program is over.
    bool StepOne();

    // From Now() on the decisions read these.
    void SetInputs(const EngineInputs& inputs);
    // From Now() on the clock reads msOfDay and runs on from there.
    void SetTimeOfDay(SimTime msOfDay);

    // Output changes are kept for TakeEvents only while recording.
    void RecordEvents(bool record) { recording_ = record; }
    std::vector<OutputEvent> TakeEvents();

    SimTime Now() const { return now_; }
    RunState State() const { return state_; }
    // When the program ended or failed.
    SimTime EndTime() const { return endTime_; }
    const std::optional<EngineFault>& Fault() const { return fault_; }
    const EngineOutputs& Outputs() const { return outputs_; }
    const EngineInputs& Inputs() const { return inputs_; }
    SimTime TimeOfDay() const { return ClockAt(now_); }
    // The slot each running flow is executing or waiting in, main flow first.
    std::vector<int> ActiveSlots() const;

private:
    struct LoopFrame {
        int beginSlot;
        int bodySlot;
        int remaining;
        std::size_t callDepth;  // loops close only at the call depth they were opened at
    };

    // One flow of control: the main chart's, or a sub chart's after a parallel run.
    struct Flow {
        int origin = 0;   // the start slot of a parallel flow; 0 for the main flow
        int slot = 0;     // the instruction due next
        SimTime due = 0;
        int current = 0;  // the instruction executing or waiting, 0 before the first
        std::optional<EngineFault> pendingFault;  // met when due
        std::vector<LoopFrame> loops;
        std::vector<std::pair<int, int>> returns;  // call slot, slot to go back to
    };

    // What one instruction leaves its flow to do.
    struct Outcome {
        enum class Kind { Next, Fault, EndFlow, EndProgram, Parallel } kind = Kind::Next;
        int next = 0;
        SimTime duration = 1;
        EngineFault fault{};
        int from = 0;  // the slot a bad next slot is blamed on; 0: the one executed
    };

    // engine_rules.cpp: one instruction and the families of rules.
    Outcome Execute(Flow& flow, int slot);
    Outcome Loop(Flow& flow, int slot, const EntryCode& code);
    Outcome Call(Flow& flow, int slot, const EntryCode& code);
    Outcome Return(Flow& flow);
    Outcome Decide(const EntryCode& code) const;
    void SetLed(const EntryCode& code);
    void SetRelay(const EntryCode& code);
    void SetSound(const EntryCode& code);
    void SetAlarm(const EntryCode& code);
    int SensorReading(std::uint8_t opcode) const;

    // nuvo_engine.cpp: flows, time and outputs.
    // The flow due next (earliest first, ties main flow first, then by start slot).
    Flow* NextFlow();
    bool AlarmDueBefore(const Flow* flow) const;
    void RunFlow(Flow& flow);
    void GoOn(Flow& flow, int from, int next, SimTime duration);
    void StartSubCharts(SimTime due);
    void RingAlarm();
    void ArmAlarm();
    void Finish(RunState state, SimTime at);
    void Fail(const EngineFault& fault, SimTime at);
    void Change(OutputKind kind, const EngineOutputs& next);
    SimTime ClockAt(SimTime time) const;

    EngineProgram program_;
    EngineInputs inputs_;
    EngineOutputs outputs_;
    std::vector<Flow> flows_;
    RunState state_ = RunState::Running;
    SimTime now_ = 0;
    SimTime endTime_ = 0;
    std::optional<EngineFault> fault_;
    SimTime clockOffset_ = 0;  // the clock at time 0, ms since midnight
    SimTime timerStart_ = 0;
    std::optional<SimTime> alarmAt_;
    bool recording_ = false;
    std::vector<OutputEvent> events_;
};

// Whether lhs stands in the relation a comparison code names to rhs
// (9 =, A <, B ≧, C >, D ≦, E ≠; any other code compares for equality).
bool CompareBy(std::uint8_t code, int lhs, int rhs);
