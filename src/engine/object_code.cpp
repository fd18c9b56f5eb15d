// Per-class instruction rules: successor filling for the image and object
// record regeneration after an edit.
#include "object_code.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "name_tables.h"
#include "opcodes.h"

namespace {

constexpr std::size_t kBranchByte = 6;
constexpr std::size_t kNextByte = 7;

// Anything that is not a program slot (1-250) means the exit leads nowhere.
constexpr std::uint8_t ProgramSlotOrNone(std::uint8_t slot) {
    return slot >= 1 && slot <= 250 ? slot : kNoSlot;
}

constexpr NuvoInstruction kParallelCode{
    1, {Layout::FlowControl, Opcode::Parallel, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};

// An operand byte is either copied from a code byte or a constant.
struct OperandSource {
    bool fromCode;
    std::uint8_t value;  // code byte index, or the constant
};
constexpr OperandSource CodeByte(std::uint8_t index) { return {true, index}; }
constexpr OperandSource Constant(std::uint8_t value) { return {false, value}; }

struct NameChoice {
    std::uint8_t opcode;  // ignored when the class has fixed names
    std::string_view flowObj;
    std::string_view func;
};

struct SyncRule {
    SymbolClass cls;
    std::string_view symbol;
    bool namesByOpcode;  // names follow code byte 1
    std::array<NameChoice, 3> names;
    std::array<OperandSource, 5> first;
    std::size_t firstCount;
    std::size_t nopOperandsToZero;  // leading operands of the second ("nop") function object
};

constexpr SyncRule Fixed(SymbolClass cls, std::string_view flowObj, std::string_view func,
                         std::string_view symbol, std::array<OperandSource, 5> first,
                         std::size_t firstCount, std::size_t nopOperandsToZero = 0) {
    const NameChoice names{0, flowObj, func};
    return {cls, symbol, false, {names}, first, firstCount, nopOperandsToZero};
}

constexpr SyncRule ByOpcode(SymbolClass cls, std::array<NameChoice, 3> names,
                            std::string_view symbol, std::array<OperandSource, 5> first,
                            std::size_t firstCount, std::size_t nopOperandsToZero = 0) {
    return {cls, symbol, true, names, first, firstCount, nopOperandsToZero};
}

constexpr std::array<SyncRule, 10> kSyncRules = {
    ByOpcode(SymbolClass::End,
             {{{Opcode::End, "end_flow", "end_f"}, {Opcode::Return, "return_sub", "return_s"}}},
             "端子", {Constant(0), Constant(0), Constant(0), Constant(0), Constant(0)}, 5),
    Fixed(SymbolClass::Led, "led1_rgb", "led1_rgb", "処理",
          {CodeByte(2), CodeByte(3), CodeByte(4), Constant(0), Constant(0)}, 5),
    ByOpcode(SymbolClass::Relay,
             {{{Opcode::Relay1s, "relay1s", "relay1s"},
               {Opcode::Relay4m, "relay4m", "relay4m"},
               {Opcode::Relay2s, "relay2s", "relay2s"}}},
             "処理", {CodeByte(2)}, 1, 3),
    Fixed(SymbolClass::Sound, "beep1", "beep1", "処理", {CodeByte(2), CodeByte(3)}, 2, 2),
    Fixed(SymbolClass::Wait, "wait_timer3", "wait_tim3", "処理", {CodeByte(2), CodeByte(3)}, 2, 2),
    Fixed(SymbolClass::ClockAlarm, "rtc1_set", "rtc1", "処理",
          {Constant(0x40), Constant(0), CodeByte(4), CodeByte(5), Constant(0)}, 5),
    ByOpcode(SymbolClass::Sensor,
             {{{Opcode::SensorM1, "sensor_m1", "sensor_m1"},
               {Opcode::SensorM2, "sensor_m2", "sensor_m2"},
               {Opcode::SensorM3, "sensor_m3", "sensor_m3"}}},
             "判断", {CodeByte(2), CodeByte(3), CodeByte(4), CodeByte(5)}, 4),
    Fixed(SymbolClass::TimeDecision, "rtc1", "rtc1", "判断",
          {Constant(0x81), CodeByte(3), CodeByte(4), CodeByte(5)}, 4),
    Fixed(SymbolClass::LoopBegin, "loop_begin", "loop_begin", "ループ端",
          {Constant(0), Constant(0x1A), Constant(0), CodeByte(5), Constant(kNoSlot)}, 5),
    Fixed(SymbolClass::CallSub, "call_sub", "call_sub", "定義済み処理",
          {CodeByte(2), Constant(0), Constant(0), Constant(0), Constant(kNoSlot)}, 5),
};

const SyncRule* RuleFor(SymbolClass cls) {
    const auto it = std::find_if(kSyncRules.begin(), kSyncRules.end(),
                                 [cls](const SyncRule& rule) { return rule.cls == cls; });
    return it == kSyncRules.end() ? nullptr : &*it;
}

std::optional<NameChoice> ChooseNames(const SyncRule& rule, std::uint8_t opcode) {
    if (!rule.namesByOpcode) return rule.names[0];
    for (const NameChoice& choice : rule.names) {
        if (!choice.flowObj.empty() && choice.opcode == opcode) return choice;
    }
    return std::nullopt;
}

void SetNames(const SyncRule& rule, const NameChoice& names, NuvoObjectRecord& record) {
    const NameEntry flowObj = NUVOFlowObjNameTable::Instance().Lookup(names.flowObj);
    record.flowObjName = flowObj.name;
    record.flowObjNumber = flowObj.number;
    const NameEntry symbol = NUVOSymbolTable::Instance().Lookup(rule.symbol);
    record.symbolName = symbol.name;
    record.symbolNumber = symbol.number;
    for (std::size_t i = 0; i < record.funcObjects.size(); ++i) {
        FuncObject& func = record.funcObjects[i];
        const NameEntry entry =
            NUVOFuncObjNameTable::Instance().Lookup(i == 0 ? names.func : func.name);
        func.name = entry.name;
        func.number = entry.number;
    }
}

// Writes the operand bytes that fit into the existing lists, never resizing them.
void SetOperands(const SyncRule& rule, const NuvoInstruction& instruction,
                 NuvoObjectRecord& record) {
    if (record.funcObjects.empty()) return;
    auto& first = record.funcObjects[0].operands;
    for (std::size_t i = 0; i < std::min(first.size(), rule.firstCount); ++i) {
        const OperandSource source = rule.first[i];
        first[i] = source.fromCode ? instruction.code[source.value] : source.value;
    }
    if (record.funcObjects.size() < 2) return;
    auto& nop = record.funcObjects[1].operands;
    std::fill_n(nop.begin(), std::min(nop.size(), rule.nopOperandsToZero), std::uint8_t{0});
}

}  // namespace

NuvoInstruction ObjectCodeFor(SymbolClass cls, int chart, const NuvoInstruction& stored,
                              std::uint8_t nextSlot, std::uint8_t branchSlot) {
    NuvoInstruction code = stored;
    switch (cls) {
        case SymbolClass::Line:
            break;
        case SymbolClass::Parallel:
            code = kParallelCode;
            break;
        case SymbolClass::End:
            // The main chart has no caller to return to.
            if (chart == 0) code.code[1] = Opcode::End;
            break;
        case SymbolClass::Start:
            code.code[2] = 0x00;
            code.code[kNextByte] = ProgramSlotOrNone(nextSlot);
            break;
        default:
            code.code[kNextByte] = ProgramSlotOrNone(nextSlot);
            if (HasBranchExit(cls)) code.code[kBranchByte] = ProgramSlotOrNone(branchSlot);
            break;
    }
    return code;
}

void SyncObjectRecord(SymbolClass cls, const NuvoInstruction& instruction,
                      NuvoObjectRecord& record) {
    const SyncRule* rule = RuleFor(cls);
    if (rule == nullptr) return;
    // An opcode the class does not know leaves the names as they are.
    if (const auto names = ChooseNames(*rule, instruction.code[1])) SetNames(*rule, *names, record);
    SetOperands(*rule, instruction, record);
}
