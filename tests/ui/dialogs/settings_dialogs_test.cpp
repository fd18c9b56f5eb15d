// Drives the symbol settings dialogs through their controls and checks the
// instruction bytes they hand back: the frame every dialog shares, editing a
// symbol through it, and the dialogs made of drop-down lists.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <array>
#include <memory>

#include "dialogs/settings_dialog.h"
#include "dialogs/settings_dialog_lists.h"
#include "dialogs/settings_dialog_numbers.h"
#include "editor_state.h"
#include "engine_record_factory.h"
#include "settings_dialog_test_support.h"
#include "symbol_kind.h"

class SettingsDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void everyDialogIsTitledAndHasOkAndCancel();
    void classesWithoutSettingsOpenTheNoSettingsDialog();
    void editInstructionTakesTheCopyOnlyOnOk();
    void editInstructionOnANoSettingsClassChangesNothing();
    void changeSettingsRecordsOneUndoStepOnOkOnly();
    void invalidRecordOpensTheNoSettingsDialog();

    void listsHoldTheirItemsInOrder_data();
    void listsHoldTheirItemsInOrder();
    void staticTextsNameTheFields_data();
    void staticTextsNameTheFields();
    void controlsStartWhereTheTemplatePutsThem();

    void endShowsAndWritesTheAction();
    void ledShowsTheColourAndKeepsTheFadeBits();
    void ledWithUnknownColourWritesOnlyWhenChosen();
    void relayShowsAndWritesOutputAndAction();
    void soundWritesSoundThenVolume_data();
    void soundWritesSoundThenVolume();
    void soundShowsStoredSoundAndVolume();

    void callSubWritesTargetAndClearsOperands();

    void eachDialogOpensWithTheFocusOnItsFirstField_data();
    void eachDialogOpensWithTheFocusOnItsFirstField();
};

void SettingsDialogsTest::everyDialogIsTitledAndHasOkAndCancel() {
    for (int kind = 0; kind < Kind::SymbolCount; ++kind) {
        const auto dialog =
            SymbolSettingsDialogs::MakeDialog(ClassOfKind(kind), DefaultInstruction(kind), nullptr);
        QVERIFY2(dialog, qPrintable(QString::number(kind)));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("設定編集"));
        QCOMPARE(dialog->OkButton()->text(), QStringLiteral("OK"));
        QCOMPARE(dialog->CancelButton()->text(), QStringLiteral("キャンセル"));
    }
    QVERIFY(!SymbolSettingsDialogs::MakeDialog(SymbolClass::Line, UnsetInstruction(), nullptr));
}

void SettingsDialogsTest::classesWithoutSettingsOpenTheNoSettingsDialog() {
    for (const SymbolClass cls :
         {SymbolClass::Start, SymbolClass::SensorSwitch, SymbolClass::Timer,
          SymbolClass::TimerReset, SymbolClass::LoopEnd, SymbolClass::Parallel}) {
        const NuvoInstruction before = Make({0x7F, 0x01, 0, 0, 0, 0, 0, 0xFE});
        const auto dialog = SymbolSettingsDialogs::MakeDialog(cls, before, nullptr);
        QVERIFY(!dialog->HasSettings());
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("text"))->text(),
                 QStringLiteral("設定事項はありません"));
        COMPARE_CODE(PressOk(*dialog), before.code);
    }
}

void SettingsDialogsTest::editInstructionTakesTheCopyOnlyOnOk() {
    SymbolSettingsDialogs dialogs(nullptr);
    NuvoInstruction instruction = DefaultInstruction(Kind::LoopBegin);
    instruction.code[5] = 7;
    const NuvoInstruction before = instruction;

    PressInNextDialog("cancel");
    QVERIFY(!dialogs.EditInstruction(SymbolClass::LoopBegin, instruction));
    QCOMPARE(instruction, before);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgFlowSetting_LoopBegin*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        Type(dialog->CountEdit(), QStringLiteral("12"));
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QVERIFY(dialogs.EditInstruction(SymbolClass::LoopBegin, instruction));
    QCOMPARE(instruction.code[5], 12);
    QCOMPARE(instruction.valid, before.valid);
}

void SettingsDialogsTest::editInstructionOnANoSettingsClassChangesNothing() {
    SymbolSettingsDialogs dialogs(nullptr);
    NuvoInstruction instruction = DefaultInstruction(Kind::Start);
    const NuvoInstruction before = instruction;
    PressInNextDialog("ok");
    QVERIFY(!dialogs.EditInstruction(SymbolClass::Start, instruction));
    QCOMPARE(instruction, before);

    NuvoInstruction line = UnsetInstruction();
    QVERIFY(!dialogs.EditInstruction(SymbolClass::Line, line));

    PressInNextDialog("ok");
    dialogs.ShowNoSettings();
}

void SettingsDialogsTest::changeSettingsRecordsOneUndoStepOnOkOnly() {
    Editing editing;
    editing.state.currentChart = 1;
    const int uid = editing.state.PlaceSymbol(Kind::End, 96, 96);
    QVERIFY(uid != 0);
    const int steps = editing.state.history.Count();

    PressInNextDialog("cancel");
    QVERIFY(!editing.state.ChangeSettings(uid, editing.dialogs));
    QCOMPARE(editing.state.history.Count(), steps);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgFlowSetting_End*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->ActionList()->setCurrentIndex(1);  // 戻る
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QVERIFY(editing.state.ChangeSettings(uid, editing.dialogs));
    const IFLOWOBJECT* symbol = editing.store.Find(uid);
    QCOMPARE(symbol->Instruction().code[1], 0x90);
    QCOMPARE(symbol->Engine().objectRecord.flowObjName, std::string("return_sub"));
    QCOMPARE(editing.state.history.Count(), steps + 1);

    QVERIFY(editing.state.UndoLast());
    QCOMPARE(symbol->Instruction().code[1], 0x80);
}

void SettingsDialogsTest::invalidRecordOpensTheNoSettingsDialog() {
    Editing editing;
    SymbolRecord record{editing.uids.Next(), Kind::Led, 0, 0, MakeEngineRecord(Kind::Led)};
    record.engine.invalid = 1;
    const int uid = editing.store.RestoreSymbol(0, record);
    QVERIFY(uid != 0);

    bool noSettingsShown = false;
    QTimer::singleShot(0, [&noSettingsShown] {
        QWidget* modal = QApplication::activeModalWidget();
        noSettingsShown = qobject_cast<CDlgFlowSetting_None*>(modal) != nullptr;
        if (modal) modal->close();
    });
    QVERIFY(!editing.state.ChangeSettings(uid, editing.dialogs));
    QVERIFY(noSettingsShown);
    QCOMPARE(editing.store.Find(uid)->Instruction(), record.engine.instruction);
}

void SettingsDialogsTest::listsHoldTheirItemsInOrder_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("items");
    const QStringList comparisons{QStringLiteral("＝"), QStringLiteral("＜"), QStringLiteral("＞"),
                                  QStringLiteral("≦"),  QStringLiteral("≧"),  QStringLiteral("≠")};
    QTest::newRow("end") << Kind::End << QStringLiteral("list1009")
                         << QStringList{QStringLiteral("終了"), QStringLiteral("戻る")};
    QTest::newRow("led") << Kind::Led << QStringLiteral("list1009")
                         << QStringList{QStringLiteral("点灯 赤"), QStringLiteral("点灯 橙"),
                                        QStringLiteral("点灯 黄"), QStringLiteral("点灯 緑"),
                                        QStringLiteral("点灯 青"), QStringLiteral("点灯 藍"),
                                        QStringLiteral("点灯 紫"), QStringLiteral("消灯")};
    QTest::newRow("relay output")
        << Kind::Relay1 << QStringLiteral("list1009")
        << QStringList{QStringLiteral("白色 LED (出力 1)"), QStringLiteral("USBパワー (出力 2)")};
    QTest::newRow("relay action") << Kind::Relay2 << QStringLiteral("list1010")
                                  << QStringList{QStringLiteral("オン"), QStringLiteral("オフ")};
    QTest::newRow("sound") << Kind::Sound << QStringLiteral("list1009")
                           << QStringList{QStringLiteral("ブザー"), QStringLiteral("アラーム"),
                                          QStringLiteral("メロディ"), QStringLiteral("自作メロディ"),
                                          QStringLiteral("サウンド停止")};
    QTest::newRow("volume") << Kind::Sound << QStringLiteral("list1010")
                            << QStringList{QStringLiteral("小"), QStringLiteral("中"),
                                           QStringLiteral("大")};
    QTest::newRow("sensor") << Kind::SensorTemperature << QStringLiteral("list1009")
                            << QStringList{QStringLiteral("光"), QStringLiteral("温度"),
                                           QStringLiteral("音")};
    QTest::newRow("sensor first comparison")
        << Kind::SensorLight << QStringLiteral("list1010") << comparisons;
    QTest::newRow("sensor second comparison")
        << Kind::SensorSound << QStringLiteral("list1011") << comparisons;
    QTest::newRow("subroutine") << Kind::CallSub << QStringLiteral("list1009")
                                << QStringList{QStringLiteral("1"), QStringLiteral("2"),
                                               QStringLiteral("3")};
    QTest::newRow("time decision")
        << Kind::TimeDecision << QStringLiteral("list1009") << comparisons;
}

void SettingsDialogsTest::listsHoldTheirItemsInOrder() {
    QFETCH(int, kind);
    QFETCH(QString, list);
    QFETCH(QStringList, items);
    const auto dialog =
        SymbolSettingsDialogs::MakeDialog(ClassOfKind(kind), DefaultInstruction(kind), nullptr);
    auto* combo = dialog->findChild<QComboBox*>(list);
    QVERIFY(combo);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    QCOMPARE(shown, items);
}

void SettingsDialogsTest::staticTextsNameTheFields_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("end") << Kind::End << QStringList{};
    QTest::newRow("led") << Kind::Led << QStringList{QStringLiteral("LED点灯")};
    QTest::newRow("relay") << Kind::Relay1
                           << QStringList{QStringLiteral("出力番号"), QStringLiteral("動作")};
    QTest::newRow("sound") << Kind::Sound
                           << QStringList{QStringLiteral("サウンド"), QStringLiteral("音量")};
    QTest::newRow("wait") << Kind::Wait
                          << QStringList{QStringLiteral("時間"), QStringLiteral("秒")};
    QTest::newRow("sensor") << Kind::SensorLight << QStringList{};
    QTest::newRow("loop") << Kind::LoopBegin
                          << QStringList{QStringLiteral("くり返し"), QStringLiteral("回")};
    QTest::newRow("subroutine") << Kind::CallSub << QStringList{QStringLiteral("サブルーチン")};
    QTest::newRow("clock alarm") << Kind::ClockAlarm
                                 << QStringList{QStringLiteral("時計アラーム"), QStringLiteral("時"),
                                                QStringLiteral("分")};
    QTest::newRow("time decision") << Kind::TimeDecision
                                   << QStringList{QStringLiteral("時刻"), QStringLiteral("時"),
                                                  QStringLiteral("分")};
    QTest::newRow("no settings") << Kind::LoopEnd
                                 << QStringList{QStringLiteral("設定事項はありません")};
}

void SettingsDialogsTest::staticTextsNameTheFields() {
    QFETCH(int, kind);
    QFETCH(QStringList, texts);
    const auto dialog =
        SymbolSettingsDialogs::MakeDialog(ClassOfKind(kind), DefaultInstruction(kind), nullptr);
    dialog->show();
    QStringList shown;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        if (label->isVisible()) shown << label->text();
    QCOMPARE(shown, texts);
    if (kind == Kind::SensorLight) {
        auto* sensor = static_cast<CDlgFlowSetting_Sensor*>(dialog.get());
        QCOMPARE(sensor->OneValueButton()->text(), QStringLiteral("１つの数値と比較する"));
        QCOMPARE(sensor->TwoValuesButton()->text(), QStringLiteral("２つの数値と比較する"));
    }
}

void SettingsDialogsTest::controlsStartWhereTheTemplatePutsThem() {
    // The first row lies 23 dialog units down (the sensor's radio buttons 10),
    // not squeezed against the title bar, and above the buttons.
    CDlgFlowSetting_End ending(DefaultInstruction(Kind::End), nullptr);
    ending.show();
    const int top = ending.ActionList()->geometry().top();
    QVERIFY2(qAbs(top - DialogUnitsY(ending, 23)) <= 2, qPrintable(QString::number(top)));
    QVERIFY(ending.ActionList()->geometry().bottom() < ending.OkButton()->geometry().top());

    CDlgFlowSetting_Sensor sensor(DefaultInstruction(Kind::SensorLight), nullptr);
    sensor.show();
    const int radioTop = sensor.OneValueButton()->geometry().top();
    QVERIFY2(qAbs(radioTop - DialogUnitsY(sensor, 10)) <= 2, qPrintable(QString::number(radioTop)));
    QVERIFY(sensor.FirstValueEdit()->geometry().bottom() < sensor.OkButton()->geometry().top());
}

void SettingsDialogsTest::endShowsAndWritesTheAction() {
    CDlgFlowSetting_End ending(Make({0x7F, 0x80, 0, 0, 0, 0, 0, 0}), nullptr);
    QCOMPARE(ending.ActionList()->currentText(), QStringLiteral("終了"));
    ending.ActionList()->setCurrentIndex(1);
    QCOMPARE(PressOk(ending)[1], 0x90);

    CDlgFlowSetting_End returning(Make({0x7F, 0x90, 0, 0, 0, 0, 0, 0}), nullptr);
    QCOMPARE(returning.ActionList()->currentText(), QStringLiteral("戻る"));

    CDlgFlowSetting_End unknown(Make({0x7F, 0x33, 0, 0, 0, 0, 0, 0}), nullptr);
    QCOMPARE(unknown.ActionList()->currentIndex(), -1);
    QCOMPARE(PressOk(unknown)[1], 0x33);
}

void SettingsDialogsTest::ledShowsTheColourAndKeepsTheFadeBits() {
    CDlgFlowSetting_Led dialog(Make({0x3F, 0x21, 0x84, 0x00, 0x88, 0, 0, 0x05}), nullptr);
    QCOMPARE(dialog.ColourList()->count(), 8);
    QCOMPARE(dialog.ColourList()->currentText(), QStringLiteral("点灯 黄"));
    QVERIFY(dialog.FadeOutBox()->isChecked());
    QVERIFY(!dialog.FadeInBox()->isChecked());
    QVERIFY(dialog.FadeInBox()->isHidden());
    QVERIFY(dialog.FadeOutBox()->isHidden());

    dialog.ColourList()->setCurrentIndex(6);  // 点灯 紫
    COMPARE_CODE(PressOk(dialog), (Code{0x3F, 0x21, 0x84, 0x08, 0x80, 0, 0, 0x05}));

    CDlgFlowSetting_Led dark(Make({0x3F, 0x21, 0x02, 0x00, 0x00, 0, 0, 0xFE}), nullptr);
    QCOMPARE(dark.ColourList()->currentText(), QStringLiteral("消灯"));
    dark.ColourList()->setCurrentIndex(0);
    COMPARE_CODE(PressOk(dark), (Code{0x3F, 0x21, 0x82, 0x00, 0xF0, 0, 0, 0xFE}));
}

void SettingsDialogsTest::ledWithUnknownColourWritesOnlyWhenChosen() {
    const Code odd{0x3F, 0x21, 0x80, 0x01, 0x23, 0, 0, 0xFE};
    CDlgFlowSetting_Led untouched(Make(odd), nullptr);
    QCOMPARE(untouched.ColourList()->currentIndex(), -1);
    COMPARE_CODE(PressOk(untouched), odd);

    CDlgFlowSetting_Led chosen(Make(odd), nullptr);
    chosen.ColourList()->setCurrentIndex(4);  // 点灯 青
    COMPARE_CODE(PressOk(chosen), (Code{0x3F, 0x21, 0x80, 0x0F, 0x00, 0, 0, 0xFE}));
}

void SettingsDialogsTest::relayShowsAndWritesOutputAndAction() {
    CDlgFlowSetting_Relay dialog(DefaultInstruction(Kind::Relay1), nullptr);
    QCOMPARE(dialog.OutputList()->currentText(), QStringLiteral("白色 LED (出力 1)"));
    QCOMPARE(dialog.ActionList()->currentText(), QStringLiteral("オン"));
    dialog.OutputList()->setCurrentIndex(1);
    dialog.ActionList()->setCurrentIndex(1);
    const Code code = PressOk(dialog);
    QCOMPARE(code[1], 0x24);
    QCOMPARE(code[2], 0x00);

    // The third output is not offered: no selection, and OK keeps it.
    CDlgFlowSetting_Relay third(DefaultInstruction(Kind::Relay3), nullptr);
    QCOMPARE(third.OutputList()->currentIndex(), -1);
    third.ActionList()->setCurrentIndex(1);
    const Code kept = PressOk(third);
    QCOMPARE(kept[1], 0x25);
    QCOMPARE(kept[2], 0x00);
}

void SettingsDialogsTest::soundWritesSoundThenVolume_data() {
    QTest::addColumn<int>("sound");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("byte2");
    QTest::addColumn<int>("byte3");
    QTest::newRow("buzzer small") << 0 << 0 << 0x81 << 0x01;
    QTest::newRow("alarm medium") << 1 << 1 << 0x82 << 0x02;
    QTest::newRow("melody loud") << 2 << 2 << 0x84 << 0x04;
    QTest::newRow("own melody medium") << 3 << 1 << 0x82 << 0x08;
    QTest::newRow("stop keeps the volume bit") << 4 << 2 << 0x04 << 0x00;
}

void SettingsDialogsTest::soundWritesSoundThenVolume() {
    QFETCH(int, sound);
    QFETCH(int, volume);
    CDlgFlowSetting_Sound dialog(DefaultInstruction(Kind::Sound), nullptr);
    dialog.SoundList()->setCurrentIndex(sound);
    dialog.VolumeList()->setCurrentIndex(volume);
    const Code code = PressOk(dialog);
    QTEST(static_cast<int>(code[2]), "byte2");
    QTEST(static_cast<int>(code[3]), "byte3");
}

void SettingsDialogsTest::soundShowsStoredSoundAndVolume() {
    CDlgFlowSetting_Sound dialog(Make({0x37, 0x27, 0x84, 0x08, 0, 0, 0, 0xFE}), nullptr);
    QCOMPARE(dialog.SoundList()->currentText(), QStringLiteral("自作メロディ"));
    QCOMPARE(dialog.VolumeList()->currentText(), QStringLiteral("大"));

    CDlgFlowSetting_Sound odd(Make({0x37, 0x27, 0x83, 0x03, 0, 0, 0, 0xFE}), nullptr);
    QCOMPARE(odd.SoundList()->currentIndex(), -1);
    QCOMPARE(odd.VolumeList()->currentIndex(), -1);
    COMPARE_CODE(PressOk(odd), (Code{0x37, 0x27, 0x83, 0x03, 0, 0, 0, 0xFE}));
}

void SettingsDialogsTest::callSubWritesTargetAndClearsOperands() {
    CDlgFlowSetting_CallSub dialog(Make({0x7F, 0x10, 0x02, 0x44, 0x55, 0x66, 0x0C, 0x04}), nullptr);
    QCOMPARE(dialog.TargetList()->currentText(), QStringLiteral("2"));
    dialog.TargetList()->setCurrentIndex(2);
    COMPARE_CODE(PressOk(dialog), (Code{0x7F, 0x10, 0x03, 0, 0, 0, 0x0C, 0x04}));

    CDlgFlowSetting_CallSub unknown(Make({0x7F, 0x10, 0x07, 0x44, 0, 0, 0xFE, 0xFE}), nullptr);
    QCOMPARE(unknown.TargetList()->currentIndex(), -1);
    COMPARE_CODE(PressOk(unknown), (Code{0x7F, 0x10, 0x07, 0, 0, 0, 0xFE, 0xFE}));
}

void SettingsDialogsTest::eachDialogOpensWithTheFocusOnItsFirstField_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("focused");
    QTest::newRow("end") << Kind::End << QStringLiteral("list1009");
    QTest::newRow("led") << Kind::Led << QStringLiteral("list1009");
    QTest::newRow("relay") << Kind::Relay1 << QStringLiteral("list1009");
    QTest::newRow("sound") << Kind::Sound << QStringLiteral("list1009");
    QTest::newRow("wait") << Kind::Wait << QStringLiteral("edit1012");
    QTest::newRow("clock alarm") << Kind::ClockAlarm << QStringLiteral("edit1012");
    QTest::newRow("sensor") << Kind::SensorLight << QStringLiteral("edit1012");
    QTest::newRow("time decision") << Kind::TimeDecision << QStringLiteral("edit1012");
    QTest::newRow("loop begin") << Kind::LoopBegin << QStringLiteral("edit1012");
    QTest::newRow("call sub") << Kind::CallSub << QStringLiteral("list1009");
    QTest::newRow("nothing to set") << Kind::Start << QStringLiteral("ok");
}

// A pupil types at once into the field the dialog is about; OK stays the
// default button for Enter.
void SettingsDialogsTest::eachDialogOpensWithTheFocusOnItsFirstField() {
    QFETCH(int, kind);
    const auto dialog =
        SymbolSettingsDialogs::MakeDialog(ClassOfKind(kind), DefaultInstruction(kind), nullptr);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused != nullptr);
    QTEST(focused->objectName(), "focused");
    if (auto* field = qobject_cast<QLineEdit*>(focused)) {
        QCOMPARE(field->selectedText(), field->text());  // typing replaces it
    }
    QVERIFY(dialog->OkButton()->isDefault());
}

QTEST_MAIN(SettingsDialogsTest)
#include "settings_dialogs_test.moc"
