// Default engine records: the object record of each kind, with the
// instruction composed from the layout byte, the opcodes and the operands.
#include "engine_record_factory.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "name_tables.h"
#include "opcodes.h"
#include "symbol_kind.h"

namespace {

struct FuncRow {
    std::string_view name;
    std::array<std::uint8_t, 6> operands{};
    std::size_t operandCount = 0;
};

struct KindRow {
    std::string_view flowObj;
    std::string_view symbol;
    std::array<FuncRow, 2> funcs{};
    std::size_t funcCount = 0;
};

constexpr FuncRow F(std::string_view name, std::initializer_list<std::uint8_t> operands) {
    FuncRow row{name};
    for (std::uint8_t op : operands) row.operands[row.operandCount++] = op;
    return row;
}

constexpr KindRow K(std::string_view flowObj, std::string_view symbol, FuncRow first) {
    return {flowObj, symbol, {first}, 1};
}

constexpr KindRow K(std::string_view flowObj, std::string_view symbol, FuncRow first,
                    FuncRow second) {
    return {flowObj, symbol, {first, second}, 2};
}

constexpr std::array<KindRow, Kind::SymbolCount> kKinds = {
    K("start_flow", "端子", F("start_f", {0x00, 0x00, 0x00, 0x00, 0x00})),
    K("end_flow", "端子", F("end_f", {0x00, 0x00, 0x00, 0x00, 0x00})),
    K("led1_rgb", "処理", F("led1_rgb", {0x80, 0x00, 0xF0, 0x00, 0x00})),
    K("relay1s", "処理", F("relay1s", {0x80}), F("nop", {0x00, 0x00, 0x00})),
    K("relay4m", "処理", F("relay4m", {0x80}), F("nop", {0x00, 0x00, 0x00})),
    K("relay2s", "処理", F("relay2s", {0x80}), F("nop", {0x00, 0x00, 0x00})),
    K("beep1", "処理", F("beep1", {0x81, 0x01}), F("nop", {0x00, 0x00})),
    K("wait_timer3", "処理", F("wait_tim3", {0x00, 0x64}), F("nop", {0x00, 0x00})),
    K("rtc1_set", "処理", F("rtc1", {0x40, 0x00, 0x00, 0x00, 0x00})),
    K("sensor_m1", "判断", F("sensor_m1", {0x81, 0x09, 0x0A, 0x00})),
    K("sensor_m2", "判断", F("sensor_m2", {0x81, 0x09, 0x0A, 0x00})),
    K("sensor_m3", "判断", F("sensor_m3", {0x81, 0x09, 0x0A, 0x00})),
    K("sensor1", "判断", F("sensor1", {0x00}), F("nop", {0x00, 0x00})),
    K("sensor2", "判断", F("sensor2", {0x00}), F("nop", {0x00, 0x00})),
    K("sensor3", "判断", F("sensor3", {0x02}), F("nop", {0x00, 0x00})),
    K("rtc1", "判断", F("rtc1", {0x81, 0x29, 0x00, 0x00})),
    K("loop_begin", "ループ端", F("loop_begin", {0x00, 0x1A, 0x00, 0x01, 0xFE})),
    K("loop_end", "ループ端", F("loop_end", {0x00, 0x1A, 0x00, 0x00, 0xFE})),
    K("call_sub", "定義済み処理", F("call_sub", {0x01, 0x00, 0x00, 0x00, 0xFE})),
    K("timer5_set", "処理", F("timer5", {0x20, 0x00, 0x00, 0x00, 0x00})),
    K("timer5", "判断", F("timer5", {0x81, 0x29, 0x00, 0x5A})),
    K("parallel", "並列処理", F("parallel", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00})),
};

// Layout byte, then each function object's opcode and operands; the bytes
// left over are successor slots (none yet), except the end kind's 0x00.
constexpr NuvoInstruction Compose(int kind) {
    const KindRow& row = kKinds[kind];
    NuvoInstruction instruction;
    instruction.valid = 1;
    instruction.code[0] = kLayoutByKind[kind];
    std::size_t pos = 1;
    for (std::size_t f = 0; f < row.funcCount; ++f) {
        const FuncRow& func = row.funcs[f];
        instruction.code[pos++] = OpcodeOf(func.name).value();
        for (std::size_t i = 0; i < func.operandCount; ++i) {
            instruction.code[pos++] = func.operands[i];
        }
    }
    while (pos < instruction.code.size()) {
        instruction.code[pos++] = kind == Kind::End ? 0x00 : kNoSlot;
    }
    return instruction;
}

constexpr std::array<NuvoInstruction, Kind::SymbolCount> ComposeAll() {
    std::array<NuvoInstruction, Kind::SymbolCount> all{};
    for (int kind = 0; kind < Kind::SymbolCount; ++kind) all[kind] = Compose(kind);
    return all;
}

// Composed at compile time, so a row whose bytes do not fit fails the build.
constexpr std::array<NuvoInstruction, Kind::SymbolCount> kDefaultInstructions = ComposeAll();

}  // namespace

NuvoInstruction DefaultInstruction(int kind) {
    return IsSymbolKind(kind) ? kDefaultInstructions[kind] : UnsetInstruction();
}

NuvoObjectRecord DefaultObjectRecord(int kind) {
    if (!IsSymbolKind(kind)) return NuvoObjectRecord{};
    const KindRow& row = kKinds[kind];
    NuvoObjectRecord record;
    record.flowObjName = row.flowObj;
    record.flowObjNumber = NUVOFlowObjNameTable::Instance().Lookup(row.flowObj).number;
    record.symbolName = row.symbol;
    record.symbolNumber = NUVOSymbolTable::Instance().Lookup(row.symbol).number;
    for (std::size_t f = 0; f < row.funcCount; ++f) {
        const FuncRow& func = row.funcs[f];
        record.funcObjects.push_back(
            {std::string(func.name),
             NUVOFuncObjNameTable::Instance().Lookup(func.name).number,
             {func.operands.begin(), func.operands.begin() + func.operandCount}});
    }
    return record;
}

EngineRecord MakeEngineRecord(int kind) {
    return {0, DefaultInstruction(kind), DefaultObjectRecord(kind)};
}
