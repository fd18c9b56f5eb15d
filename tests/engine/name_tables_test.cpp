// Name tables: every name maps to its fixed number, anything else to -1.
#include "name_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Table { Symbol, FlowObj, FuncObj };

struct LookupCase {
    Table table;
    std::string name;
    int number;
};

NameEntry LookupIn(Table table, const std::string& name) {
    switch (table) {
        case Table::Symbol:
            return NUVOSymbolTable::Instance().Lookup(name);
        case Table::FlowObj:
            return NUVOFlowObjNameTable::Instance().Lookup(name);
        case Table::FuncObj:
            return NUVOFuncObjNameTable::Instance().Lookup(name);
    }
    return {};
}

class NameTableLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(NameTableLookup, GivesTheNameAndItsNumber) {
    const LookupCase& c = GetParam();
    const NameEntry entry = LookupIn(c.table, c.name);
    EXPECT_EQ(entry.name, c.name);
    EXPECT_EQ(entry.number, c.number);
}

constexpr Table S = Table::Symbol;
constexpr Table O = Table::FlowObj;
constexpr Table F = Table::FuncObj;

INSTANTIATE_TEST_SUITE_P(
    EveryEntry, NameTableLookup,
    ::testing::Values(
        LookupCase{S, "端子", 0}, LookupCase{S, "処理", 1}, LookupCase{S, "判断", 2},
        LookupCase{S, "ループ端", 3}, LookupCase{S, "定義済み処理", 4},
        LookupCase{S, "並列処理", 5}, LookupCase{O, "start_flow", 0}, LookupCase{O, "end_flow", 1},
        LookupCase{O, "return_sub", 2}, LookupCase{O, "loop_begin", 3},
        LookupCase{O, "loop_end", 4}, LookupCase{O, "call_sub", 5}, LookupCase{O, "parallel", 6},
        LookupCase{O, "led1_rgb", 7}, LookupCase{O, "relay1s", 8}, LookupCase{O, "relay4m", 9},
        LookupCase{O, "relay2s", 10}, LookupCase{O, "beep1", 11}, LookupCase{O, "wait_timer3", 12},
        LookupCase{O, "rtc1_set", 13}, LookupCase{O, "rtc1", 14}, LookupCase{O, "sensor_m1", 15},
        LookupCase{O, "sensor_m2", 16}, LookupCase{O, "sensor_m3", 17},
        LookupCase{O, "sensor1", 18}, LookupCase{O, "sensor2", 19}, LookupCase{O, "sensor3", 20},
        LookupCase{O, "timer5_set", 21}, LookupCase{O, "timer5", 22}, LookupCase{F, "nop", 0},
        LookupCase{F, "start_f", 1}, LookupCase{F, "end_f", 2}, LookupCase{F, "return_s", 3},
        LookupCase{F, "loop_begin", 4}, LookupCase{F, "loop_end", 5}, LookupCase{F, "call_sub", 6},
        LookupCase{F, "parallel", 7}, LookupCase{F, "led1_rgb", 8}, LookupCase{F, "relay1s", 9},
        LookupCase{F, "relay4m", 10}, LookupCase{F, "relay2s", 11}, LookupCase{F, "beep1", 12},
        LookupCase{F, "wait_tim3", 13}, LookupCase{F, "rtc1", 14}, LookupCase{F, "sensor_m1", 15},
        LookupCase{F, "sensor_m2", 16}, LookupCase{F, "sensor_m3", 17},
        LookupCase{F, "sensor1", 18}, LookupCase{F, "sensor2", 19}, LookupCase{F, "sensor3", 20},
        LookupCase{F, "timer5", 21}));

INSTANTIATE_TEST_SUITE_P(NamesNotInTheTable, NameTableLookup,
                         ::testing::Values(
                             // Each table knows only its own names.
                             LookupCase{O, "nop", -1}, LookupCase{F, "rtc1_set", -1},
                             LookupCase{F, "timer5_set", -1}, LookupCase{F, "wait_timer3", -1},
                             LookupCase{O, "wait_tim3", -1}, LookupCase{S, "start_flow", -1},
                             // Matches are exact: no trimming, no case folding, no prefixes.
                             LookupCase{S, "端子 ", -1}, LookupCase{S, "端", -1},
                             LookupCase{O, "Start_flow", -1}, LookupCase{F, "NOP", -1},
                             LookupCase{F, " nop", -1}, LookupCase{O, "", -1},
                             LookupCase{S, "", -1}));

}  // namespace
