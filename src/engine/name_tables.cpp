// Contents of the engine's name tables; numbers are positions in these lists.
#include "name_tables.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 6> kSymbolNames = {
    "端子", "処理", "判断", "ループ端", "定義済み処理", "並列処理",
};

constexpr std::array<std::string_view, 23> kFlowObjNames = {
    "start_flow",  "end_flow", "return_sub", "loop_begin", "loop_end",  "call_sub",
    "parallel",    "led1_rgb", "relay1s",    "relay4m",    "relay2s",   "beep1",
    "wait_timer3", "rtc1_set", "rtc1",       "sensor_m1",  "sensor_m2", "sensor_m3",
    "sensor1",     "sensor2",  "sensor3",    "timer5_set", "timer5",
};

constexpr std::array<std::string_view, 22> kFuncObjNames = {
    "nop",      "start_f",   "end_f",    "return_s",  "loop_begin", "loop_end",
    "call_sub", "parallel",  "led1_rgb", "relay1s",   "relay4m",    "relay2s",
    "beep1",    "wait_tim3", "rtc1",     "sensor_m1", "sensor_m2",  "sensor_m3",
    "sensor1",  "sensor2",   "sensor3",  "timer5",
};

}  // namespace

NameIndex::NameIndex(std::span<const std::string_view> names) {
    int number = 0;
    for (std::string_view name : names) numbers_.emplace(std::string(name), number++);
}

NameEntry NameIndex::Lookup(std::string_view name) const {
    const auto it = numbers_.find(name);
    return {std::string(name), it == numbers_.end() ? -1 : it->second};
}

NUVOSymbolTable::NUVOSymbolTable() : index_(kSymbolNames) {}

const NUVOSymbolTable& NUVOSymbolTable::Instance() {
    static const NUVOSymbolTable table;
    return table;
}

NameEntry NUVOSymbolTable::Lookup(std::string_view name) const { return index_.Lookup(name); }

NUVOFlowObjNameTable::NUVOFlowObjNameTable() : index_(kFlowObjNames) {}

const NUVOFlowObjNameTable& NUVOFlowObjNameTable::Instance() {
    static const NUVOFlowObjNameTable table;
    return table;
}

NameEntry NUVOFlowObjNameTable::Lookup(std::string_view name) const { return index_.Lookup(name); }

NUVOFuncObjNameTable::NUVOFuncObjNameTable() : index_(kFuncObjNames) {}

const NUVOFuncObjNameTable& NUVOFuncObjNameTable::Instance() {
    static const NUVOFuncObjNameTable table;
    return table;
}

NameEntry NUVOFuncObjNameTable::Lookup(std::string_view name) const { return index_.Lookup(name); }
