// The virtual board's storage, clock, inputs, program run and speed.
#include "virtual_board.h"

#include <algorithm>

namespace {

int Rate(BoardSpeed speed) {
    switch (speed) {
        case BoardSpeed::Normal:
            return 1;
        case BoardSpeed::Fast:
            return 10;
        case BoardSpeed::Step:
            break;
    }
    return 0;
}

}  // namespace

VirtualBoard::VirtualBoard(TimePoint now) : anchor_(now) {
    for (auto& area : areas_) area.assign(kStorageAreaBytes, 0xFF);
    melody_.fill(0xFF);
}

void VirtualBoard::StoreProgram(int area, std::span<const std::uint8_t> bytes, TimePoint now) {
    Reset(now);
    auto& stored = areas_[static_cast<std::size_t>(area)];
    std::copy_n(bytes.begin(), std::min(bytes.size(), stored.size()), stored.begin());
    runArea_ = area;
}

std::span<const std::uint8_t> VirtualBoard::ProgramArea(int area) const {
    return areas_[static_cast<std::size_t>(area)];
}

void VirtualBoard::StoreMelody(std::span<const std::uint8_t> bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), melody_.size()), melody_.begin());
}

void VirtualBoard::SetTimeOfDay(SimTime msOfDay, TimePoint now) {
    AdvanceTo(now);
    clockBase_ = msOfDay;
    clockSetAt_ = boardTime_;
    if (engine_) engine_->SetTimeOfDay(msOfDay);
}

void VirtualBoard::Run(TimePoint now) {
    AdvanceTo(now);
    engine_.reset();
    if (!runArea_) {
        idleState_ = RunState::Ended;  // nothing to run
        return;
    }
    runStart_ = boardTime_;
    engine_.emplace(EngineProgram::FromArea(areas_[static_cast<std::size_t>(*runArea_)]), inputs_,
                    ClockAt(boardTime_));
}

void VirtualBoard::Reset(TimePoint now) {
    AdvanceTo(now);
    engine_.reset();
    idleState_ = RunState::Reset;
}

void VirtualBoard::SetInputs(const EngineInputs& inputs, TimePoint now) {
    AdvanceTo(now);
    inputs_ = inputs;
    if (engine_) engine_->SetInputs(inputs);
}

void VirtualBoard::SetSpeed(BoardSpeed speed, TimePoint now) {
    AdvanceTo(now);
    speed_ = speed;
    anchor_ = now;
    anchorBoardTime_ = boardTime_;
}

bool VirtualBoard::Step(TimePoint now) {
    AdvanceTo(now);
    if (speed_ != BoardSpeed::Step || !engine_ || !engine_->StepOne()) return false;
    boardTime_ = std::max(boardTime_, runStart_ + engine_->Now());
    anchorBoardTime_ = boardTime_;
    return true;
}

RunState VirtualBoard::State(TimePoint now) {
    AdvanceTo(now);
    return engine_ ? engine_->State() : idleState_;
}

VirtualBoardView VirtualBoard::View(TimePoint now) {
    VirtualBoardView view;
    view.state = State(now);
    view.inputs = inputs_;
    view.timeOfDay = ClockAt(boardTime_);
    view.speed = speed_;
    if (engine_) {
        view.fault = engine_->Fault();
        view.outputs = engine_->Outputs();
        view.programTime = engine_->State() == RunState::Running ? engine_->Now()
                                                                  : engine_->EndTime();
        view.activeSlots = engine_->ActiveSlots();
    }
    return view;
}

// In step mode board time stands still and only Step moves the program.
void VirtualBoard::AdvanceTo(TimePoint now) {
    if (speed_ == BoardSpeed::Step) return;
    if (now > anchor_) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - anchor_);
        boardTime_ = std::max(boardTime_, anchorBoardTime_ + elapsed.count() * Rate(speed_));
    }
    if (engine_) engine_->RunUntil(boardTime_ - runStart_);
}

SimTime VirtualBoard::ClockAt(SimTime boardTime) const {
    const SimTime clock = (clockBase_ + boardTime - clockSetAt_) % kMsPerDay;
    return clock < 0 ? clock + kMsPerDay : clock;
}
