// The recognition table: which names make which kind, and where operand
// bytes land in the instruction.
#include "engine_rebuild.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "engine_record_factory.h"
#include "name_tables.h"
#include "symbol_kind.h"

namespace {

using CodeBytes = std::array<std::uint8_t, 8>;

NuvoObjectRecord Record(const char* symbol, const char* flowObj,
                        std::vector<std::pair<const char*, std::vector<std::uint8_t>>> funcs) {
    NuvoObjectRecord record;
    record.symbolName = symbol;
    record.symbolNumber = NUVOSymbolTable::Instance().Lookup(symbol).number;
    record.flowObjName = flowObj;
    record.flowObjNumber = NUVOFlowObjNameTable::Instance().Lookup(flowObj).number;
    for (auto& [name, operands] : funcs)
        record.funcObjects.push_back(
            {name, NUVOFuncObjNameTable::Instance().Lookup(name).number, operands});
    return record;
}

// The default instruction with the successor bytes the image builder fills in cleared.
CodeBytes WithoutSuccessors(int kind) {
    CodeBytes code = DefaultInstruction(kind).code;
    const SymbolClass cls = ClassOfKind(kind);
    if (HasNextExit(cls)) code[7] = 0x00;
    if (HasBranchExit(cls)) code[6] = 0x00;
    return code;
}

TEST(RebuildEngineRecord, EveryDefaultRecordGivesBackItsKindAndInstruction) {
    for (int kind = 0; kind < Kind::SymbolCount; ++kind) {
        const NuvoObjectRecord record = DefaultObjectRecord(kind);
        const RebuiltSymbol symbol = RebuildEngineRecord(7, record, 48, 96);
        EXPECT_EQ(symbol.kind, kind) << record.flowObjName;
        EXPECT_EQ(symbol.engine.instruction.valid, 1);
        EXPECT_EQ(symbol.engine.instruction.code, WithoutSuccessors(kind)) << record.flowObjName;
        EXPECT_EQ(symbol.engine.invalid, 0);
        EXPECT_EQ(symbol.engine.objectRecord, record);
        EXPECT_EQ(symbol.fileId, 7);
        EXPECT_EQ(symbol.x, 48);
        EXPECT_EQ(symbol.y, 96);
    }
}

TEST(RebuildEngineRecord, ReturnIsAnEndWithItsOwnOpcode) {
    const RebuiltSymbol symbol =
        RebuildEngineRecord(1, Record("端子", "return_sub", {{"return_s", {}}}), 0, 0);
    EXPECT_EQ(symbol.kind, Kind::End);
    EXPECT_EQ(symbol.engine.instruction.code, (CodeBytes{0x7F, 0x90, 0, 0, 0, 0, 0, 0}));
}

TEST(RebuildEngineRecord, RelayNamesDecideTheKind) {
    const RebuiltSymbol symbol = RebuildEngineRecord(
        1, Record("処理", "relay4m", {{"relay4m", {0x80}}, {"nop", {0, 0, 0}}}), 0, 0);
    EXPECT_EQ(symbol.kind, Kind::Relay2);
    EXPECT_EQ(symbol.engine.instruction.code, (CodeBytes{0x2F, 0x24, 0x80, 0, 0, 0, 0, 0}));
}

TEST(RebuildEngineRecord, OperandsOfBothFunctionObjectsGoToTheirBytes) {
    const struct {
        NuvoObjectRecord record;
        CodeBytes code;
    } cases[] = {
        {Record("処理", "beep1", {{"beep1", {0x81, 0x01}}, {"nop", {0x05, 0x06}}}),
         {0x37, 0x27, 0x81, 0x01, 0x00, 0x05, 0x06, 0x00}},
        {Record("処理", "relay1s", {{"relay1s", {0x80}}, {"nop", {0x01, 0x02, 0x03}}}),
         {0x2F, 0x23, 0x80, 0x00, 0x01, 0x02, 0x03, 0x00}},
        {Record("判断", "sensor2", {{"sensor2", {0x07}}, {"nop", {0x08, 0x09}}}),
         {0xAF, 0x36, 0x07, 0x00, 0x08, 0x09, 0x00, 0x00}},
        {Record("並列処理", "parallel", {{"parallel", {1, 2, 3, 4, 5, 6}}}),
         {0x7F, 0x20, 1, 2, 3, 4, 5, 6}},
        {Record("判断", "rtc1", {{"rtc1", {0x81, 0x2B, 0x07, 0x1E}}}),
         {0xBF, 0x2B, 0x81, 0x2B, 0x07, 0x1E, 0x00, 0x00}},
        {Record("処理", "rtc1_set", {{"rtc1", {0x40, 0x00, 0x07, 0x1E, 0x00}}}),
         {0x3F, 0x2B, 0x40, 0x00, 0x07, 0x1E, 0x00, 0x00}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RebuildEngineRecord(1, c.record, 0, 0).engine.instruction.code, c.code)
            << c.record.flowObjName;
}

TEST(RebuildEngineRecord, OperandListsAreBroughtToTheLengthTheInstructionUses) {
    // Short: missing bytes are 0x00, in the instruction and in the record.
    const RebuiltSymbol shortLed =
        RebuildEngineRecord(1, Record("処理", "led1_rgb", {{"led1_rgb", {0x80}}}), 0, 0);
    EXPECT_EQ(shortLed.engine.instruction.code, (CodeBytes{0x3F, 0x21, 0x80, 0, 0, 0, 0, 0}));
    EXPECT_EQ(shortLed.engine.objectRecord.funcObjects[0].operands,
              (std::vector<std::uint8_t>{0x80, 0, 0, 0, 0}));
    // Long: extra bytes never reach the instruction and are dropped.
    const RebuiltSymbol longRelay = RebuildEngineRecord(
        1, Record("処理", "relay1s", {{"relay1s", {0x80, 0x11}}, {"nop", {0, 0, 0, 0x22}}}), 0, 0);
    EXPECT_EQ(longRelay.engine.instruction.code, (CodeBytes{0x2F, 0x23, 0x80, 0, 0, 0, 0, 0}));
    EXPECT_EQ(longRelay.engine.objectRecord.funcObjects[0].operands,
              (std::vector<std::uint8_t>{0x80}));
    EXPECT_EQ(longRelay.engine.objectRecord.funcObjects[1].operands,
              (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(RebuildEngineRecord, RefusesNamesThatDoNotMatchTheTable) {
    NuvoObjectRecord beyondTable = Record("処理", "led1_rgb", {{"led1_rgb", {}}});
    beyondTable.flowObjNumber = 23;
    const NuvoObjectRecord cases[] = {
        Record("判断", "led1_rgb", {{"led1_rgb", {}}}),               // wrong symbol
        Record("処理", "led1_rgb", {{"led1_rgb", {}}, {"nop", {}}}),  // two function objects
        Record("処理", "led1_rgb", {}),                               // none
        Record("処理", "relay1s", {{"nop", {}}, {"relay1s", {}}}),    // in the wrong order
        Record("処理", "rtc1_set", {{"rtc1_set", {}}}),               // not a function name
        Record("処理 ", "led1_rgb", {{"led1_rgb", {}}}),              // unknown symbol name
        Record("処理", "nop", {{"nop", {}}}),                         // unknown flow object
        Record("判断", "timer5_set", {{"timer5", {}}}),               // timer reset is 処理
        beyondTable,
    };
    for (const NuvoObjectRecord& record : cases)
        EXPECT_EQ(RebuildEngineRecord(1, record, 0, 0).kind, -1)
            << record.symbolName << " / " << record.flowObjName;
}

}  // namespace
