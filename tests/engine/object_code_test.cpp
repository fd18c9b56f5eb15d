// Object code for the image (successor slots) and object record regeneration.
#include "object_code.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_record_factory.h"
#include "engine_test_support.h"

namespace {

struct SuccessorCase {
    std::string name;
    SymbolClass cls;
    int chart;
    NuvoInstruction stored;
    std::uint8_t next;
    std::uint8_t branch;
    NuvoInstruction expected;
};

class ObjectCode : public ::testing::TestWithParam<SuccessorCase> {};

TEST_P(ObjectCode, FillsTheSuccessorsOfItsClass) {
    const SuccessorCase& c = GetParam();
    EXPECT_EQ(ObjectCodeFor(c.cls, c.chart, c.stored, c.next, c.branch), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PerClass, ObjectCode,
    ::testing::Values(
        SuccessorCase{"StartToSlot7", SymbolClass::Start, 0,
                      Code({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}), 7, kNoSlot,
                      Code({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07})},
        SuccessorCase{"StartWithoutLine", SymbolClass::Start, 1,
                      Code({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x33}), kNoSlot, kNoSlot,
                      Code({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE})},
        SuccessorCase{"StartClearsByte2", SymbolClass::Start, 0,
                      Code({0x7F, 0x01, 0x5A, 0x00, 0x00, 0x00, 0x00, 0xFE}), 2, kNoSlot,
                      Code({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02})},
        SuccessorCase{"ReturnInMainChartEnds", SymbolClass::End, 0,
                      Code({0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}), 5, 6,
                      Code({0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00})},
        SuccessorCase{"ReturnInSubChartStays", SymbolClass::End, 2,
                      Code({0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}), 5, 6,
                      Code({0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00})},
        SuccessorCase{"EndKeepsStoredByte7", SymbolClass::End, 1,
                      Code({0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x11}), 5, 6,
                      Code({0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x11})},
        SuccessorCase{"LedNextOnly", SymbolClass::Led, 0,
                      Code({0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0xFE}), 3, 9,
                      Code({0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0x03})},
        SuccessorCase{"CallSubKeepsTargetByte", SymbolClass::CallSub, 0,
                      Code({0x7F, 0x10, 0x02, 0x00, 0x00, 0x00, 0x0C, 0xFE}), 4, 9,
                      Code({0x7F, 0x10, 0x02, 0x00, 0x00, 0x00, 0x0C, 0x04})},
        SuccessorCase{"SensorNextAndBranch", SymbolClass::Sensor, 0,
                      Code({0xBF, 0x31, 0x81, 0x0C, 0x64, 0x00, 0xFE, 0xFE}), 3, 9,
                      Code({0xBF, 0x31, 0x81, 0x0C, 0x64, 0x00, 0x09, 0x03})},
        SuccessorCase{"SwitchNextAndBranch", SymbolClass::SensorSwitch, 0,
                      Code({0xAF, 0x35, 0x00, 0x00, 0x00, 0x00, 0x44, 0x44}), 250, 1,
                      Code({0xAF, 0x35, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFA})},
        SuccessorCase{"TimeDecisionWithoutLines", SymbolClass::TimeDecision, 0,
                      Code({0xBF, 0x2B, 0x81, 0x2B, 0x07, 0x1E, 0x02, 0x03}), kNoSlot, kNoSlot,
                      Code({0xBF, 0x2B, 0x81, 0x2B, 0x07, 0x1E, 0xFE, 0xFE})},
        SuccessorCase{"TimerBranchOnly", SymbolClass::Timer, 0,
                      Code({0xBF, 0x2A, 0x81, 0x29, 0x00, 0x5A, 0xFE, 0xFE}), kNoSlot, 8,
                      Code({0xBF, 0x2A, 0x81, 0x29, 0x00, 0x5A, 0x08, 0xFE})},
        // Slot 0 ("no slot") and numbers past the table never reach the image.
        SuccessorCase{"NonSlotsMeanNone", SymbolClass::Sensor, 0,
                      Code({0xBF, 0x31, 0x81, 0x09, 0x0A, 0x00, 0xFE, 0xFE}), 0, 251,
                      Code({0xBF, 0x31, 0x81, 0x09, 0x0A, 0x00, 0xFE, 0xFE})},
        SuccessorCase{"ParallelIsAlwaysTheConstant", SymbolClass::Parallel, 0,
                      Code({0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}, 0), 3, 4,
                      Code({0x7F, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00})},
        SuccessorCase{"LineAsStored", SymbolClass::Line, 0, UnsetInstruction(), 3, 4,
                      UnsetInstruction()}),
    [](const auto& info) { return info.param.name; });

// Every one-exit class writes its next slot into byte 7 and nothing else.
TEST(ObjectCode, OneExitClassesWriteOnlyTheNextSlot) {
    for (int kind :
         {Kind::Led, Kind::Relay1, Kind::Relay2, Kind::Relay3, Kind::Sound, Kind::Wait,
          Kind::ClockAlarm, Kind::LoopBegin, Kind::LoopEnd, Kind::CallSub, Kind::TimerReset}) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind);
        const NuvoInstruction stored = DefaultInstruction(kind);
        NuvoInstruction expected = stored;
        expected.code[7] = 0x2A;
        EXPECT_EQ(ObjectCodeFor(ClassOfKind(kind), 0, stored, 0x2A, 0x11), expected);
    }
}

// --- Object record regeneration ---------------------------------------------

NuvoObjectRecord RecordOf(int kind) { return DefaultObjectRecord(kind); }

NuvoObjectRecord Synced(SymbolClass cls, const NuvoInstruction& instruction,
                        NuvoObjectRecord record) {
    SyncObjectRecord(cls, instruction, record);
    return record;
}

TEST(SyncObjectRecord, EndNamesFollowTheAction) {
    const auto toReturn =
        Synced(SymbolClass::End, Code({0x7F, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
               RecordOf(Kind::End));
    EXPECT_EQ(toReturn.flowObjName, "return_sub");
    EXPECT_EQ(toReturn.flowObjNumber, 2);
    EXPECT_EQ(toReturn.symbolName, "端子");
    EXPECT_EQ(toReturn.symbolNumber, 0);
    ASSERT_EQ(toReturn.funcObjects.size(), 1u);
    EXPECT_EQ(toReturn.funcObjects[0], (FuncObject{"return_s", 3, {0x00, 0x00, 0x00, 0x00, 0x00}}));

    const auto backToEnd = Synced(SymbolClass::End, DefaultInstruction(Kind::End), toReturn);
    EXPECT_EQ(backToEnd, RecordOf(Kind::End));
}

TEST(SyncObjectRecord, RelayOutputChangeRenamesBothObjects) {
    const auto record =
        Synced(SymbolClass::Relay, Code({0x2F, 0x24, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05}),
               RecordOf(Kind::Relay1));
    EXPECT_EQ(record.flowObjName, "relay4m");
    EXPECT_EQ(record.flowObjNumber, 9);
    EXPECT_EQ(record.symbolName, "処理");
    ASSERT_EQ(record.funcObjects.size(), 2u);
    EXPECT_EQ(record.funcObjects[0], (FuncObject{"relay4m", 10, {0x00}}));
    EXPECT_EQ(record.funcObjects[1], (FuncObject{"nop", 0, {0x00, 0x00, 0x00}}));
}

TEST(SyncObjectRecord, SensorChangeRenamesAndCopiesOperands) {
    const auto record =
        Synced(SymbolClass::Sensor, Code({0xBF, 0x33, 0x83, 0xDC, 0x64, 0x14, 0x09, 0x03}),
               RecordOf(Kind::SensorLight));
    EXPECT_EQ(record.flowObjName, "sensor_m3");
    EXPECT_EQ(record.flowObjNumber, 17);
    EXPECT_EQ(record.symbolName, "判断");
    ASSERT_EQ(record.funcObjects.size(), 1u);
    EXPECT_EQ(record.funcObjects[0], (FuncObject{"sensor_m3", 17, {0x83, 0xDC, 0x64, 0x14}}));
}

TEST(SyncObjectRecord, UnknownOpcodeKeepsNamesAndRewritesOperands) {
    auto relay = RecordOf(Kind::Relay1);
    relay.funcObjects[1].operands = {0x07, 0x07, 0x07};
    const auto syncedRelay =
        Synced(SymbolClass::Relay, Code({0x2F, 0x77, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}), relay);
    EXPECT_EQ(syncedRelay.flowObjName, "relay1s");
    EXPECT_EQ(syncedRelay.flowObjNumber, 8);
    EXPECT_EQ(syncedRelay.funcObjects[0], (FuncObject{"relay1s", 9, {0x00}}));
    EXPECT_EQ(syncedRelay.funcObjects[1].operands, (std::vector<std::uint8_t>{0, 0, 0}));

    const auto syncedSensor =
        Synced(SymbolClass::Sensor, Code({0xBF, 0x34, 0x83, 0xAA, 0x1E, 0x14, 0xFE, 0xFE}),
               RecordOf(Kind::SensorTemperature));
    EXPECT_EQ(syncedSensor.flowObjName, "sensor_m2");
    EXPECT_EQ(syncedSensor.funcObjects[0], (FuncObject{"sensor_m2", 16, {0x83, 0xAA, 0x1E, 0x14}}));

    auto end = RecordOf(Kind::End);
    end.funcObjects[0].operands = {1, 2, 3, 4, 5};
    const auto syncedEnd =
        Synced(SymbolClass::End, Code({0x7F, 0x42, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}), end);
    EXPECT_EQ(syncedEnd.flowObjName, "end_flow");
    EXPECT_EQ(syncedEnd.funcObjects[0], (FuncObject{"end_f", 2, {0, 0, 0, 0, 0}}));
}

struct OperandCase {
    std::string name;
    int kind;
    NuvoInstruction instruction;
    std::vector<std::uint8_t> firstOperands;
};

class SyncOperands : public ::testing::TestWithParam<OperandCase> {};

TEST_P(SyncOperands, CopiesTheBytesOfItsClass) {
    const OperandCase& c = GetParam();
    const auto record = Synced(ClassOfKind(c.kind), c.instruction, RecordOf(c.kind));
    ASSERT_FALSE(record.funcObjects.empty());
    EXPECT_EQ(record.funcObjects[0].operands, c.firstOperands);
    EXPECT_EQ(record.flowObjName, RecordOf(c.kind).flowObjName);
    for (std::size_t i = 1; i < record.funcObjects.size(); ++i) {
        EXPECT_EQ(record.funcObjects[i], RecordOf(c.kind).funcObjects[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PerClass, SyncOperands,
    ::testing::Values(OperandCase{"Led",
                                  Kind::Led,
                                  Code({0x3F, 0x21, 0x84, 0x08, 0x80, 0x55, 0x66, 0x03}),
                                  {0x84, 0x08, 0x80, 0x00, 0x00}},
                      OperandCase{"Sound",
                                  Kind::Sound,
                                  Code({0x37, 0x27, 0x02, 0x00, 0x11, 0x22, 0x33, 0x03}),
                                  {0x02, 0x00}},
                      OperandCase{"Wait",
                                  Kind::Wait,
                                  Code({0x37, 0x28, 0xEA, 0x60, 0x00, 0x00, 0x00, 0xFE}),
                                  {0xEA, 0x60}},
                      OperandCase{"ClockAlarm",
                                  Kind::ClockAlarm,
                                  Code({0x3F, 0x2B, 0x99, 0x99, 0x07, 0x1E, 0x99, 0xFE}),
                                  {0x40, 0x00, 0x07, 0x1E, 0x00}},
                      OperandCase{"TimeDecision",
                                  Kind::TimeDecision,
                                  Code({0xBF, 0x2B, 0x99, 0x2B, 0x07, 0x1E, 0x09, 0x03}),
                                  {0x81, 0x2B, 0x07, 0x1E}},
                      OperandCase{"LoopBegin",
                                  Kind::LoopBegin,
                                  Code({0x7F, 0x08, 0x99, 0x99, 0x99, 0x0A, 0x99, 0x03}),
                                  {0x00, 0x1A, 0x00, 0x0A, 0xFE}},
                      OperandCase{"CallSub",
                                  Kind::CallSub,
                                  Code({0x7F, 0x10, 0x03, 0x99, 0x99, 0x99, 0x0C, 0x03}),
                                  {0x03, 0x00, 0x00, 0x00, 0xFE}}),
    [](const auto& info) { return info.param.name; });

// A settings change and its undo: the record ends where it started.
TEST(SyncObjectRecord, WaitChangeAndUndoRestoresTheRecord) {
    auto record = RecordOf(Kind::Wait);
    SyncObjectRecord(SymbolClass::Wait, Code({0x37, 0x28, 0x00, 0x19, 0x00, 0x00, 0x00, 0xFE}),
                     record);
    EXPECT_EQ(record.funcObjects[0].operands, (std::vector<std::uint8_t>{0x00, 0x19}));
    SyncObjectRecord(SymbolClass::Wait, DefaultInstruction(Kind::Wait), record);
    EXPECT_EQ(record, RecordOf(Kind::Wait));
}

// Regeneration repairs every name and number from the instruction alone.
TEST(SyncObjectRecord, RebuildsTheDefaultRecordFromTheDefaultInstruction) {
    for (int kind = 0; kind < Kind::SymbolCount; ++kind) {
        const SymbolClass cls = ClassOfKind(kind);
        auto record = RecordOf(kind);
        record.flowObjName = "x";
        record.flowObjNumber = 99;
        record.symbolName = "y";
        record.symbolNumber = 99;
        record.funcObjects[0].name = "z";
        record.funcObjects[0].number = 99;
        std::fill(record.funcObjects[0].operands.begin(), record.funcObjects[0].operands.end(),
                  std::uint8_t{0x77});
        const auto before = record;
        SyncObjectRecord(cls, DefaultInstruction(kind), record);
        const bool hasSettings = cls != SymbolClass::Start && cls != SymbolClass::SensorSwitch &&
                                 cls != SymbolClass::LoopEnd && cls != SymbolClass::TimerReset &&
                                 cls != SymbolClass::Timer && cls != SymbolClass::Parallel;
        EXPECT_EQ(record, hasSettings ? RecordOf(kind) : before) << "kind " << kind;
    }
}

TEST(SyncObjectRecord, OperandListsKeepTheirLength) {
    const auto led = Code({0x3F, 0x21, 0x84, 0x08, 0x80, 0x00, 0x00, 0xFE});

    auto shorter = RecordOf(Kind::Led);
    shorter.funcObjects[0].operands = {0x11, 0x22};
    SyncObjectRecord(SymbolClass::Led, led, shorter);
    EXPECT_EQ(shorter.funcObjects[0].operands, (std::vector<std::uint8_t>{0x84, 0x08}));

    auto longer = RecordOf(Kind::Led);
    longer.funcObjects[0].operands = {1, 2, 3, 4, 5, 6, 7};
    SyncObjectRecord(SymbolClass::Led, led, longer);
    EXPECT_EQ(longer.funcObjects[0].operands,
              (std::vector<std::uint8_t>{0x84, 0x08, 0x80, 0x00, 0x00, 6, 7}));

    auto relayShortNop = RecordOf(Kind::Relay1);
    relayShortNop.funcObjects[1].operands = {9};
    SyncObjectRecord(SymbolClass::Relay, DefaultInstruction(Kind::Relay1), relayShortNop);
    EXPECT_EQ(relayShortNop.funcObjects[1].operands, (std::vector<std::uint8_t>{0}));

    NuvoObjectRecord noFunctions = RecordOf(Kind::Led);
    noFunctions.funcObjects.clear();
    SyncObjectRecord(SymbolClass::Led, led, noFunctions);
    EXPECT_TRUE(noFunctions.funcObjects.empty());
    EXPECT_EQ(noFunctions.flowObjName, "led1_rgb");
}

}  // namespace
