#include "engine_rebuild.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "opcodes.h"
#include "symbol_kind.h"

namespace {

// Where one function object's operand bytes go in the code bytes.
struct OperandPlacement {
    int funcNumber;  // number in NUVOFuncObjNameTable (0 is "nop")
    std::size_t count;
    std::size_t firstByte;
};

struct Recognition {
    int symbolNumber;
    std::size_t funcCount;
    std::array<OperandPlacement, 2> funcs;
    std::uint8_t layout;
    std::uint8_t opcode;
    int kind;
};

constexpr Recognition One(int symbol, OperandPlacement f, std::uint8_t layout, std::uint8_t opcode,
                          int kind) {
    return {symbol, 1, {f, {}}, layout, opcode, kind};
}

constexpr Recognition Two(int symbol, OperandPlacement f, OperandPlacement nop, std::uint8_t layout,
                          std::uint8_t opcode, int kind) {
    return {symbol, 2, {f, nop}, layout, opcode, kind};
}

// Indexed by flow object number (NUVOFlowObjNameTable).
constexpr std::array<Recognition, 23> kRecognition = {{
    One(0, {1, 5, 2}, Layout::FlowControl, Opcode::Start, Kind::Start),              // start_flow
    One(0, {2, 5, 2}, Layout::FlowControl, Opcode::End, Kind::End),                  // end_flow
    One(0, {3, 5, 2}, Layout::FlowControl, Opcode::Return, Kind::End),               // return_sub
    One(3, {4, 5, 2}, Layout::FlowControl, Opcode::LoopBegin, Kind::LoopBegin),      // loop_begin
    One(3, {5, 5, 2}, Layout::FlowControl, Opcode::LoopEnd, Kind::LoopEnd),          // loop_end
    One(4, {6, 5, 2}, Layout::FlowControl, Opcode::CallSub, Kind::CallSub),          // call_sub
    One(5, {7, 6, 2}, Layout::FlowControl, Opcode::Parallel, Kind::Parallel),        // parallel
    One(1, {8, 5, 2}, Layout::Action, Opcode::Led, Kind::Led),                       // led1_rgb
    Two(1, {9, 1, 2}, {0, 3, 4}, Layout::Relay, Opcode::Relay1s, Kind::Relay1),      // relay1s
    Two(1, {10, 1, 2}, {0, 3, 4}, Layout::Relay, Opcode::Relay4m, Kind::Relay2),     // relay4m
    Two(1, {11, 1, 2}, {0, 3, 4}, Layout::Relay, Opcode::Relay2s, Kind::Relay3),     // relay2s
    Two(1, {12, 2, 2}, {0, 2, 5}, Layout::TwoOperands, Opcode::Beep, Kind::Sound),   // beep1
    Two(1, {13, 2, 2}, {0, 2, 5}, Layout::TwoOperands, Opcode::Wait, Kind::Wait),    // wait_timer3
    One(1, {14, 5, 2}, Layout::Action, Opcode::Rtc, Kind::ClockAlarm),               // rtc1_set
    One(2, {14, 4, 2}, Layout::Measure, Opcode::Rtc, Kind::TimeDecision),            // rtc1
    One(2, {15, 4, 2}, Layout::Measure, Opcode::SensorM1, Kind::SensorLight),        // sensor_m1
    One(2, {16, 4, 2}, Layout::Measure, Opcode::SensorM2, Kind::SensorTemperature),  // sensor_m2
    One(2, {17, 4, 2}, Layout::Measure, Opcode::SensorM3, Kind::SensorSound),        // sensor_m3
    Two(2, {18, 1, 2}, {0, 2, 4}, Layout::Switch, Opcode::Switch1, Kind::Switch1),   // sensor1
    Two(2, {19, 1, 2}, {0, 2, 4}, Layout::Switch, Opcode::Switch2, Kind::Switch2),   // sensor2
    Two(2, {20, 1, 2}, {0, 2, 4}, Layout::Switch, Opcode::Switch3, Kind::Switch3),   // sensor3
    One(1, {21, 5, 2}, Layout::Action, Opcode::Timer, Kind::TimerReset),             // timer5_set
    One(2, {21, 4, 2}, Layout::Measure, Opcode::Timer, Kind::Timer),                 // timer5
}};

const Recognition* Recognize(const NuvoObjectRecord& record) {
    if (record.symbolNumber < 0 || record.flowObjNumber < 0 ||
        record.flowObjNumber >= static_cast<int>(kRecognition.size()))
        return nullptr;
    const Recognition& row = kRecognition[static_cast<std::size_t>(record.flowObjNumber)];
    if (record.symbolNumber != row.symbolNumber || record.funcObjects.size() != row.funcCount)
        return nullptr;
    for (std::size_t i = 0; i < row.funcCount; ++i)
        if (record.funcObjects[i].number != row.funcs[i].funcNumber) return nullptr;
    return &row;
}

}  // namespace

RebuiltSymbol RebuildEngineRecord(int fileId, const NuvoObjectRecord& record, int x, int y) {
    RebuiltSymbol symbol{fileId, -1, x, y, {}};
    const Recognition* row = Recognize(record);
    if (row == nullptr) return symbol;

    symbol.kind = row->kind;
    symbol.engine.invalid = 0;
    symbol.engine.objectRecord = record;
    NuvoInstruction& instruction = symbol.engine.instruction;
    instruction.valid = 1;
    instruction.code.fill(0x00);
    instruction.code[0] = row->layout;
    instruction.code[1] = row->opcode;
    for (std::size_t i = 0; i < row->funcCount; ++i) {
        const OperandPlacement& place = row->funcs[i];
        auto& operands = symbol.engine.objectRecord.funcObjects[i].operands;
        operands.resize(place.count, 0x00);
        for (std::size_t b = 0; b < place.count; ++b)
            instruction.code[place.firstByte + b] = operands[b];
    }
    return symbol;
}
