// Default engine records of every kind, and their consistency with the
// instruction vocabulary.
#include "engine_record_factory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "opcodes.h"
#include "symbol_kind.h"

namespace {

struct FactoryRow {
    int kind;
    std::string flowObj;
    int flowObjNumber;
    std::string symbol;
    int symbolNumber;
    std::vector<FuncObject> funcs;
    CodeBytes code;
};

const std::vector<FactoryRow>& FactoryRows() {
    static const std::vector<FactoryRow> rows = {
        {0,
         "start_flow",
         0,
         "端子",
         0,
         {{"start_f", 1, {0, 0, 0, 0, 0}}},
         {0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {1,
         "end_flow",
         1,
         "端子",
         0,
         {{"end_f", 2, {0, 0, 0, 0, 0}}},
         {0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {2,
         "led1_rgb",
         7,
         "処理",
         1,
         {{"led1_rgb", 8, {0x80, 0x00, 0xF0, 0x00, 0x00}}},
         {0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0xFE}},
        {3,
         "relay1s",
         8,
         "処理",
         1,
         {{"relay1s", 9, {0x80}}, {"nop", 0, {0, 0, 0}}},
         {0x2F, 0x23, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {4,
         "relay4m",
         9,
         "処理",
         1,
         {{"relay4m", 10, {0x80}}, {"nop", 0, {0, 0, 0}}},
         {0x2F, 0x24, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {5,
         "relay2s",
         10,
         "処理",
         1,
         {{"relay2s", 11, {0x80}}, {"nop", 0, {0, 0, 0}}},
         {0x2F, 0x25, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {6,
         "beep1",
         11,
         "処理",
         1,
         {{"beep1", 12, {0x81, 0x01}}, {"nop", 0, {0, 0}}},
         {0x37, 0x27, 0x81, 0x01, 0x00, 0x00, 0x00, 0xFE}},
        {7,
         "wait_timer3",
         12,
         "処理",
         1,
         {{"wait_tim3", 13, {0x00, 0x64}}, {"nop", 0, {0, 0}}},
         {0x37, 0x28, 0x00, 0x64, 0x00, 0x00, 0x00, 0xFE}},
        {8,
         "rtc1_set",
         13,
         "処理",
         1,
         {{"rtc1", 14, {0x40, 0x00, 0x00, 0x00, 0x00}}},
         {0x3F, 0x2B, 0x40, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {9,
         "sensor_m1",
         15,
         "判断",
         2,
         {{"sensor_m1", 15, {0x81, 0x09, 0x0A, 0x00}}},
         {0xBF, 0x31, 0x81, 0x09, 0x0A, 0x00, 0xFE, 0xFE}},
        {10,
         "sensor_m2",
         16,
         "判断",
         2,
         {{"sensor_m2", 16, {0x81, 0x09, 0x0A, 0x00}}},
         {0xBF, 0x32, 0x81, 0x09, 0x0A, 0x00, 0xFE, 0xFE}},
        {11,
         "sensor_m3",
         17,
         "判断",
         2,
         {{"sensor_m3", 17, {0x81, 0x09, 0x0A, 0x00}}},
         {0xBF, 0x33, 0x81, 0x09, 0x0A, 0x00, 0xFE, 0xFE}},
        {12,
         "sensor1",
         18,
         "判断",
         2,
         {{"sensor1", 18, {0x00}}, {"nop", 0, {0, 0}}},
         {0xAF, 0x35, 0x00, 0x00, 0x00, 0x00, 0xFE, 0xFE}},
        {13,
         "sensor2",
         19,
         "判断",
         2,
         {{"sensor2", 19, {0x00}}, {"nop", 0, {0, 0}}},
         {0xAF, 0x36, 0x00, 0x00, 0x00, 0x00, 0xFE, 0xFE}},
        {14,
         "sensor3",
         20,
         "判断",
         2,
         {{"sensor3", 20, {0x02}}, {"nop", 0, {0, 0}}},
         {0xAF, 0x37, 0x02, 0x00, 0x00, 0x00, 0xFE, 0xFE}},
        {15,
         "rtc1",
         14,
         "判断",
         2,
         {{"rtc1", 14, {0x81, 0x29, 0x00, 0x00}}},
         {0xBF, 0x2B, 0x81, 0x29, 0x00, 0x00, 0xFE, 0xFE}},
        {16,
         "loop_begin",
         3,
         "ループ端",
         3,
         {{"loop_begin", 4, {0x00, 0x1A, 0x00, 0x01, 0xFE}}},
         {0x7F, 0x08, 0x00, 0x1A, 0x00, 0x01, 0xFE, 0xFE}},
        {17,
         "loop_end",
         4,
         "ループ端",
         3,
         {{"loop_end", 5, {0x00, 0x1A, 0x00, 0x00, 0xFE}}},
         {0x7F, 0x0C, 0x00, 0x1A, 0x00, 0x00, 0xFE, 0xFE}},
        {18,
         "call_sub",
         5,
         "定義済み処理",
         4,
         {{"call_sub", 6, {0x01, 0x00, 0x00, 0x00, 0xFE}}},
         {0x7F, 0x10, 0x01, 0x00, 0x00, 0x00, 0xFE, 0xFE}},
        {19,
         "timer5_set",
         21,
         "処理",
         1,
         {{"timer5", 21, {0x20, 0x00, 0x00, 0x00, 0x00}}},
         {0x3F, 0x2A, 0x20, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {20,
         "timer5",
         22,
         "判断",
         2,
         {{"timer5", 21, {0x81, 0x29, 0x00, 0x5A}}},
         {0xBF, 0x2A, 0x81, 0x29, 0x00, 0x5A, 0xFE, 0xFE}},
        {21,
         "parallel",
         6,
         "並列処理",
         5,
         {{"parallel", 7, {0, 0, 0, 0, 0, 0}}},
         {0x7F, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    return rows;
}

TEST(EngineRecordFactory, GivesEveryKindItsDefaultRecord) {
    ASSERT_EQ(FactoryRows().size(), static_cast<std::size_t>(Kind::SymbolCount));
    for (const FactoryRow& row : FactoryRows()) {
        SCOPED_TRACE(::testing::Message() << "kind " << row.kind);
        const EngineRecord record = MakeEngineRecord(row.kind);
        EXPECT_EQ(record.invalid, 0);
        EXPECT_EQ(record.instruction, Code(row.code));
        const NuvoObjectRecord expected{row.flowObj, row.flowObjNumber, row.symbol,
                                        row.symbolNumber, row.funcs};
        EXPECT_EQ(record.objectRecord, expected);
        EXPECT_EQ(DefaultInstruction(row.kind), record.instruction);
        EXPECT_EQ(DefaultObjectRecord(row.kind), record.objectRecord);
    }
}

TEST(EngineRecordFactory, GivesNothingForKindsThatAreNotSymbols) {
    for (int kind : {-1, Kind::Line, 23, 99}) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind);
        const EngineRecord record = MakeEngineRecord(kind);
        EXPECT_EQ(record.invalid, 0);
        EXPECT_EQ(record.instruction, Code({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0));
        EXPECT_EQ(record.objectRecord, NuvoObjectRecord{});
        EXPECT_EQ(record.objectRecord.flowObjNumber, -1);
        EXPECT_EQ(record.objectRecord.symbolNumber, -1);
    }
}

// The object record and the instruction describe the same bytes: after the
// layout byte come each function's opcode and operands.
TEST(EngineRecordFactory, ObjectRecordMirrorsTheInstruction) {
    for (int kind = 0; kind < Kind::SymbolCount; ++kind) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind);
        const EngineRecord record = MakeEngineRecord(kind);
        const SymbolClass cls = ClassOfKind(kind);
        std::vector<std::uint8_t> concatenated;
        for (const FuncObject& func : record.objectRecord.funcObjects) {
            const auto opcode = OpcodeOf(func.name);
            ASSERT_TRUE(opcode.has_value()) << func.name;
            concatenated.push_back(*opcode);
            concatenated.insert(concatenated.end(), func.operands.begin(), func.operands.end());
        }
        const std::size_t covered = cls == SymbolClass::Parallel ? 7 : (HasBranchExit(cls) ? 5 : 6);
        ASSERT_EQ(concatenated.size(), covered);
        const auto& code = record.instruction.code;
        EXPECT_EQ(code[0], kLayoutByKind[kind]);
        EXPECT_TRUE(std::equal(concatenated.begin(), concatenated.end(), code.begin() + 1));

        // Layout byte: bit 7 for two exits, bit 6 for flow control, and the
        // byte bits clear exactly where a second function's opcode sits.
        const std::uint8_t layout = code[0];
        EXPECT_EQ((layout & 0x80) != 0, HasBranchExit(cls));
        const bool flowControl = cls == SymbolClass::Start || cls == SymbolClass::End ||
                                 cls == SymbolClass::LoopBegin || cls == SymbolClass::LoopEnd ||
                                 cls == SymbolClass::CallSub || cls == SymbolClass::Parallel;
        EXPECT_EQ((layout & 0x40) != 0, flowControl);
        if (record.objectRecord.funcObjects.size() == 2) {
            const std::size_t nopAt = 2 + record.objectRecord.funcObjects[0].operands.size();
            EXPECT_EQ(layout & 0x3F, 0x3F & ~(1 << (7 - nopAt)));
        } else {
            EXPECT_EQ(layout & 0x3F, 0x3F);
        }
    }
}

}  // namespace
