// The virtual board apart from its USB face: what it stores, its clock, its inputs and the
// program it runs, in board time that follows the caller's clock at the chosen speed.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine_program.h"
#include "engine_types.h"
#include "nuvo_engine.h"

// ×1, ×10, or one instruction at a time.
enum class BoardSpeed { Normal, Fast, Step };

inline constexpr std::size_t kMelodyImageBytes = 1024;

// What a window shows of the board at one moment.
struct VirtualBoardView {
    RunState state = RunState::Reset;
    std::optional<EngineFault> fault;
    EngineOutputs outputs;
    EngineInputs inputs;
    SimTime timeOfDay = 0;    // the board's clock, ms since midnight
    SimTime programTime = 0;  // simulated time since the program started
    std::vector<int> activeSlots;
    BoardSpeed speed = BoardSpeed::Normal;
};

// Not thread-safe: the owner serialises every call. Every call takes the
// caller's present time; board time has advanced to it when the call returns.
class VirtualBoard {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Switched on at `now`: areas and melody erased, clock at 00:00:00, program reset.
    explicit VirtualBoard(TimePoint now);

    // A storage area (0 保存１, 1 保存２) received whole; it is what the next
    // run starts. A program running is reset first.
    void StoreProgram(int area, std::span<const std::uint8_t> bytes, TimePoint now);
    std::span<const std::uint8_t> ProgramArea(int area) const;
    void StoreMelody(std::span<const std::uint8_t> bytes);
    const std::array<std::uint8_t, kMelodyImageBytes>& Melody() const { return melody_; }
    void SetTimeOfDay(SimTime msOfDay, TimePoint now);

    // Starts the program last stored from its beginning; with none stored it ends at once.
    void Run(TimePoint now);
    // Stops the program and switches every output off.
    void Reset(TimePoint now);
    void SetInputs(const EngineInputs& inputs, TimePoint now);
    void SetSpeed(BoardSpeed speed, TimePoint now);
    // In step mode: executes the next instruction. False when nothing runs.
    bool Step(TimePoint now);

    RunState State(TimePoint now);
    VirtualBoardView View(TimePoint now);

private:
    void AdvanceTo(TimePoint now);
    SimTime ClockAt(SimTime boardTime) const;

    std::array<std::vector<std::uint8_t>, 2> areas_;
    std::optional<int> runArea_;
    std::array<std::uint8_t, kMelodyImageBytes> melody_{};
    EngineInputs inputs_;
    std::optional<NuvoEngine> engine_;  // from a run to the next reset
    RunState idleState_ = RunState::Reset;  // the state while no engine runs
    SimTime runStart_ = 0;                  // board time of the run

    // Board time in ms: follows the caller's clock from the anchor at the speed's rate.
    BoardSpeed speed_ = BoardSpeed::Normal;
    TimePoint anchor_;
    SimTime anchorBoardTime_ = 0;
    SimTime boardTime_ = 0;
    SimTime clockSetAt_ = 0;  // board time at which the clock read clockBase_
    SimTime clockBase_ = 0;
};
