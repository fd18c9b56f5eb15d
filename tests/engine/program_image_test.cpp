// Program image: entries per slot, entry record and subroutine start slots.
#include "program_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine_record_factory.h"
#include "engine_test_support.h"
#include "object_code.h"
#include "symbol_kind.h"

namespace {

class FakeSource : public IProgramSource {
public:
    std::vector<ObjectCodeEntry> CollectObjectCodes() const override { return entries; }
    std::vector<ObjectCodeEntry> entries;
};

const NuvoInstruction kErased = Code({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, -1);

NuvoInstruction EntryRecord(std::uint8_t mainStart) {
    return Code({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, mainStart}, -1);
}

// The object code a symbol of kind would hand the builder.
ObjectCodeEntry Symbol(int chart, int slot, int kind, std::uint8_t next = kNoSlot,
                       std::uint8_t branch = kNoSlot) {
    return {chart, slot,
            ObjectCodeFor(ClassOfKind(kind), chart, DefaultInstruction(kind), next, branch)};
}

ObjectCodeEntry CallOf(int chart, int slot, std::uint8_t sub, std::uint8_t next) {
    NuvoInstruction call = DefaultInstruction(Kind::CallSub);
    call.code[2] = sub;
    return {chart, slot, ObjectCodeFor(SymbolClass::CallSub, chart, call, next, kNoSlot)};
}

class ProgramImage : public ::testing::Test {
protected:
    void Build() { manager.BuildImage(source); }
    const NuvoInstruction& Entry(int i) const { return manager.Entries()[i]; }

    FakeSource source;
    NuvoProgramManager manager;
};

TEST_F(ProgramImage, StartsErased) {
    for (const NuvoInstruction& entry : manager.Entries()) EXPECT_EQ(entry, kErased);
    EXPECT_EQ(manager.StartTable(), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST_F(ProgramImage, EmptyProgramHasNoMainStart) {
    Build();
    EXPECT_EQ(Entry(0), EntryRecord(0xFE));
    for (int i = 1; i < NuvoProgramManager::kEntryCount; ++i) EXPECT_EQ(Entry(i), kErased) << i;
    EXPECT_EQ(manager.StartTable(), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST_F(ProgramImage, StartLedEndInTheMainChart) {
    source.entries = {Symbol(0, 3, Kind::End), Symbol(0, 1, Kind::Start, 2),
                      Symbol(0, 2, Kind::Led, 3)};
    Build();
    EXPECT_EQ(Entry(0), EntryRecord(0x01));
    EXPECT_EQ(Entry(1), Code({0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02}));
    EXPECT_EQ(Entry(2), Code({0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, 0x03}));
    EXPECT_EQ(Entry(3), Code({0x7F, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    for (int i = 4; i < NuvoProgramManager::kEntryCount; ++i) EXPECT_EQ(Entry(i), kErased) << i;
    EXPECT_EQ(manager.StartTable()[0], 1);
}

TEST_F(ProgramImage, CallsGetTheStartSlotOfTheirSubChart) {
    source.entries = {Symbol(0, 1, Kind::Start, 2),
                      CallOf(0, 2, 3, 4),
                      CallOf(0, 4, 2, 5),
                      Symbol(0, 5, Kind::End),
                      Symbol(3, 9, Kind::Start, 10),
                      Symbol(3, 10, Kind::End)};
    Build();
    EXPECT_EQ(Entry(2), Code({0x7F, 0x10, 0x03, 0x00, 0x00, 0x00, 0x09, 0x04}));
    // Sub chart 2 has no start symbol.
    EXPECT_EQ(Entry(4), Code({0x7F, 0x10, 0x02, 0x00, 0x00, 0x00, 0xFE, 0x05}));
    EXPECT_EQ(manager.StartTable(), (std::array<std::uint8_t, 4>{1, 0, 0, 9}));
}

TEST_F(ProgramImage, CallOfAnUnknownSubChartKeepsItsByte6) {
    NuvoInstruction call = DefaultInstruction(Kind::CallSub);
    call.code[2] = 7;
    call.code[6] = 0x33;
    source.entries = {{1, 6, call}};
    Build();
    EXPECT_EQ(Entry(6).code[6], 0x33);
}

TEST_F(ProgramImage, SubChartStartIsNotTheEntryRecord) {
    source.entries = {Symbol(2, 12, Kind::Start), Symbol(2, 13, Kind::End)};
    Build();
    EXPECT_EQ(Entry(0), EntryRecord(0xFE));
    EXPECT_EQ(manager.StartTable(), (std::array<std::uint8_t, 4>{0, 0, 12, 0}));
    EXPECT_EQ(Entry(12).code[1], 0x01);
}

TEST_F(ProgramImage, SkipsObjectsWithoutChartInstructionOrSlot) {
    source.entries = {
        {-1, 4, DefaultInstruction(Kind::Led)},  {0, 5, UnsetInstruction()},
        {4, 6, DefaultInstruction(Kind::Start)}, {0, 0, DefaultInstruction(Kind::Led)},
        {0, 251, DefaultInstruction(Kind::Led)}, Symbol(1, 7, Kind::Wait)};
    Build();
    for (int i = 1; i < NuvoProgramManager::kEntryCount; ++i) {
        if (i != 7) {
            EXPECT_EQ(Entry(i), kErased) << i;
        }
    }
    EXPECT_EQ(Entry(7), DefaultInstruction(Kind::Wait));
    EXPECT_EQ(Entry(0), EntryRecord(0xFE));
}

TEST_F(ProgramImage, RebuildStartsFromScratch) {
    source.entries = {Symbol(0, 1, Kind::Start, 2), Symbol(0, 2, Kind::End)};
    Build();
    source.entries = {Symbol(0, 2, Kind::End)};
    Build();
    EXPECT_EQ(Entry(0), EntryRecord(0xFE));
    EXPECT_EQ(Entry(1), kErased);
    EXPECT_EQ(manager.StartTable()[0], 0);
}

}  // namespace
