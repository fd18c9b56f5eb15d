// What the last program transfer sent: the symbol of each slot, and whether the charts
// would still send the same program.
#include "sim/sent_program.h"

#include <QTest>

#include "flow_object.h"
#include "instruction_params.h"
#include "quiet_store.h"
#include "symbol_kind.h"

class SentProgramTest : public QObject {
    Q_OBJECT

private slots:
    void nothingSentMatchesNothing() {
        QuietStore q;
        const SentProgram sent;
        QVERIFY(!sent.Sent());
        QCOMPARE(sent.At(1).uid, 0);
        QVERIFY(!sent.Matches(q.store));
    }

    void eachSlotKeepsItsSymbolAndChart() {
        QuietStore q;
        const int start = q.store.CreateSymbol(0, Kind::Start, 24, 24);
        const int led = q.store.CreateSymbol(0, Kind::Led, 24, 96);
        const int sub = q.store.CreateSymbol(1, Kind::Start, 24, 24);
        const SentProgram sent = SentProgram::Capture(q.store);
        QVERIFY(sent.Sent());
        QCOMPARE(sent.At(1).uid, start);
        QCOMPARE(sent.At(2).uid, led);
        QCOMPARE(sent.At(2).chart, 0);
        QCOMPARE(sent.At(3).uid, sub);
        QCOMPARE(sent.At(3).chart, 1);
        QCOMPARE(sent.At(4).uid, 0);
        QCOMPARE(sent.At(0).uid, 0);
        QCOMPARE(sent.At(251).uid, 0);
    }

    void theProgramDiffersOnceAnInstructionOrASymbolChanges() {
        QuietStore q;
        q.store.CreateSymbol(0, Kind::Start, 24, 24);
        const int led = q.store.CreateSymbol(0, Kind::Led, 24, 96);
        const SentProgram sent = SentProgram::Capture(q.store);
        QVERIFY(sent.Matches(q.store));

        q.store.Find(led)->MoveBy(48, 0);  // moving changes no instruction
        QVERIFY(sent.Matches(q.store));

        IFLOWOBJECT* symbol = q.store.Find(led);
        const NuvoInstruction before = symbol->Instruction();
        symbol->SetInstruction(WriteLed(before, LedParams{3, false, false}));  // green
        QVERIFY(!sent.Matches(q.store));
        symbol->SetInstruction(before);
        QVERIFY(sent.Matches(q.store));

        q.store.CreateSymbol(0, Kind::Wait, 24, 168);
        QVERIFY(!sent.Matches(q.store));
    }
};

QTEST_MAIN(SentProgramTest)
#include "sent_program_test.moc"
