// Drives the settings dialogs with number fields (wait, loop begin, clock
// alarm, time decision, measuring sensor) and checks the bytes they hand back.
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

#include "decimal_comma_locale.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_dialog_lists.h"
#include "dialogs/settings_dialog_numbers.h"
#include "editor_state.h"
#include "engine_record_factory.h"
#include "settings_dialog_test_support.h"
#include "symbol_kind.h"

class NumberSettingsDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void waitShowsTenthsAsSeconds_data();
    void waitShowsTenthsAsSeconds();
    void waitStoresTypedSeconds_data();
    void waitStoresTypedSeconds();
    void waitReadsBackWhatItShowsUnderADecimalCommaLocale();
    void loopBeginLimitsTheCount_data();
    void loopBeginLimitsTheCount();
    void clockAlarmLimitsHourAndMinute_data();
    void clockAlarmLimitsHourAndMinute();
    void timeDecisionWritesComparisonAndTime_data();
    void timeDecisionWritesComparisonAndTime();
    void numberFieldsAcceptDigitsOnly();

    void sensorTwoValuesOnTemperature();
    void sensorOneValueDisablesTheSecondComparison();
    void sensorRadioButtonsSwitchTheSecondComparison();
    void sensorWithUnknownModeChecksNeitherButton();
    void sensorValuesAreLimitedTo255();
};

void NumberSettingsDialogsTest::waitShowsTenthsAsSeconds_data() {
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("shown");
    QTest::newRow("default") << 100 << QStringLiteral(" 10.0");
    QTest::newRow("half a second") << 5 << QStringLiteral("  0.5");
    QTest::newRow("largest") << 60000 << QStringLiteral("6000.0");
    QTest::newRow("above the limit") << 65535 << QStringLiteral("6000.0");
}

void NumberSettingsDialogsTest::waitShowsTenthsAsSeconds() {
    QFETCH(int, tenths);
    const auto high = static_cast<std::uint8_t>(tenths >> 8);
    const auto low = static_cast<std::uint8_t>(tenths & 0xFF);
    CDlgFlowSetting_Wait dialog(Make({0x37, 0x28, high, low, 0, 0, 0, 0xFE}), nullptr);
    QTEST(dialog.SecondsEdit()->text(), "shown");
}

void NumberSettingsDialogsTest::waitStoresTypedSeconds_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("tenths");
    QTest::newRow("12.34 truncates") << QStringLiteral("12.34") << 123;
    QTest::newRow("2.55 truncates") << QStringLiteral("2.55") << 25;
    QTest::newRow("0.05 is nothing") << QStringLiteral("0.05") << 0;
    QTest::newRow("7000 is limited") << QStringLiteral("7000") << 60000;
    QTest::newRow("9999 is limited") << QStringLiteral("9999") << 60000;
    QTest::newRow("6000 exactly") << QStringLiteral("6000") << 60000;
    QTest::newRow("negative") << QStringLiteral("-3") << 0;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("leading blanks") << QStringLiteral("  1.5") << 15;
}

void NumberSettingsDialogsTest::waitStoresTypedSeconds() {
    QFETCH(QString, typed);
    QFETCH(int, tenths);
    CDlgFlowSetting_Wait dialog(DefaultInstruction(Kind::Wait), nullptr);
    Type(dialog.SecondsEdit(), typed);
    const Code code = PressOk(dialog);
    QCOMPARE(code[2] * 256 + code[3], tenths);
    QCOMPARE(code[4], 0x00);  // the "nop" after the operands stays

    CDlgFlowSetting_Wait reopened(dialog.Instruction(), nullptr);
    QCOMPARE(reopened.SecondsEdit()->text().trimmed(), QString::number(tenths / 10.0, 'f', 1));
}

// On a desktop whose locale writes a decimal comma the field still shows a
// decimal point, so OK without typing keeps the time (no process-wide
// setlocale needed to make it so).
void NumberSettingsDialogsTest::waitReadsBackWhatItShowsUnderADecimalCommaLocale() {
    const DecimalCommaLocale comma;
    if (!comma.Active()) QSKIP("no decimal-comma locale here");
    CDlgFlowSetting_Wait dialog(Make({0x37, 0x28, 0x00, 0x7B, 0, 0, 0, 0xFE}), nullptr);
    QCOMPARE(dialog.SecondsEdit()->text(), QStringLiteral(" 12.3"));
    COMPARE_CODE(PressOk(dialog), (Code{0x37, 0x28, 0x00, 0x7B, 0, 0, 0, 0xFE}));
}

void NumberSettingsDialogsTest::loopBeginLimitsTheCount_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("count");
    QTest::newRow("zero") << QStringLiteral("0") << 1;
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("ten") << QStringLiteral("10") << 10;
    QTest::newRow("255") << QStringLiteral("255") << 255;
    QTest::newRow("300") << QStringLiteral("300") << 255;
    QTest::newRow("huge") << QStringLiteral("99999999999999999999999") << 255;
}

void NumberSettingsDialogsTest::loopBeginLimitsTheCount() {
    QFETCH(QString, typed);
    QFETCH(int, count);
    CDlgFlowSetting_LoopBegin dialog(Make({0x7F, 0x08, 0x11, 0x22, 0x33, 0x00, 0xFE, 0x04}),
                                     nullptr);
    QCOMPARE(dialog.CountEdit()->text(), QStringLiteral("1"));
    Type(dialog.CountEdit(), typed);
    COMPARE_CODE(PressOk(dialog), (Code{0x7F, 0x08, 0x00, 0x1A, 0x00,
                                        static_cast<std::uint8_t>(count), 0xFE, 0x04}));
}

void NumberSettingsDialogsTest::clockAlarmLimitsHourAndMinute_data() {
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minute");
    QTest::addColumn<int>("storedHour");
    QTest::addColumn<int>("storedMinute");
    QTest::newRow("in range") << QStringLiteral("7") << QStringLiteral("30") << 7 << 30;
    QTest::newRow("25 and 75") << QStringLiteral("25") << QStringLiteral("75") << 23 << 59;
    QTest::newRow("24") << QStringLiteral("24") << QStringLiteral("0") << 23 << 0;
    QTest::newRow("256 does not wrap") << QStringLiteral("256") << QStringLiteral("5") << 23 << 5;
    QTest::newRow("300") << QStringLiteral("300") << QStringLiteral("300") << 23 << 59;
    QTest::newRow("empty") << QString() << QString() << 0 << 0;
}

void NumberSettingsDialogsTest::clockAlarmLimitsHourAndMinute() {
    QFETCH(QString, hour);
    QFETCH(QString, minute);
    QFETCH(int, storedHour);
    QFETCH(int, storedMinute);
    CDlgFlowSetting_ClockAlarmProc dialog(Make({0x3F, 0x2B, 0x40, 0x00, 12, 34, 0, 0xFE}), nullptr);
    QCOMPARE(dialog.HourEdit()->text(), QStringLiteral("12"));
    QCOMPARE(dialog.MinuteEdit()->text(), QStringLiteral("34"));
    Type(dialog.HourEdit(), hour);
    Type(dialog.MinuteEdit(), minute);
    COMPARE_CODE(PressOk(dialog),
                 (Code{0x3F, 0x2B, 0x40, 0x00, static_cast<std::uint8_t>(storedHour),
                       static_cast<std::uint8_t>(storedMinute), 0, 0xFE}));
}

void NumberSettingsDialogsTest::timeDecisionWritesComparisonAndTime_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("byte3");
    QTest::newRow("＝") << 0 << QStringLiteral("＝") << 0x29;
    QTest::newRow("＜") << 1 << QStringLiteral("＜") << 0x2A;
    QTest::newRow("＞") << 2 << QStringLiteral("＞") << 0x2C;
    QTest::newRow("≦") << 3 << QStringLiteral("≦") << 0x2D;
    QTest::newRow("≧") << 4 << QStringLiteral("≧") << 0x2B;
    QTest::newRow("≠") << 5 << QStringLiteral("≠") << 0x2E;
}

void NumberSettingsDialogsTest::timeDecisionWritesComparisonAndTime() {
    QFETCH(int, position);
    QFETCH(QString, symbol);
    QFETCH(int, byte3);
    // Bytes 1 and 2 hold odd values to show that the dialog leaves them.
    CDlgFlowSetting_TimeDecision dialog(Make({0xBF, 0x2C, 0x82, 0x2F, 0, 0, 0xFE, 0xFE}), nullptr);
    QCOMPARE(dialog.ComparisonList()->currentText(), QStringLiteral("＝"));
    dialog.ComparisonList()->setCurrentIndex(position);
    QCOMPARE(dialog.ComparisonList()->currentText(), symbol);
    Type(dialog.HourEdit(), QStringLiteral("7"));
    Type(dialog.MinuteEdit(), QStringLiteral("30"));
    COMPARE_CODE(PressOk(dialog),
                 (Code{0xBF, 0x2C, 0x82, static_cast<std::uint8_t>(byte3), 7, 30, 0xFE, 0xFE}));

    CDlgFlowSetting_TimeDecision reopened(dialog.Instruction(), nullptr);
    QCOMPARE(reopened.ComparisonList()->currentIndex(), position);
}

void NumberSettingsDialogsTest::numberFieldsAcceptDigitsOnly() {
    CDlgFlowSetting_ClockAlarmProc alarm(DefaultInstruction(Kind::ClockAlarm), nullptr);
    CDlgFlowSetting_TimeDecision time(DefaultInstruction(Kind::TimeDecision), nullptr);
    CDlgFlowSetting_LoopBegin loop(DefaultInstruction(Kind::LoopBegin), nullptr);
    CDlgFlowSetting_Sensor sensor(DefaultInstruction(Kind::SensorLight), nullptr);
    QTest::mouseClick(sensor.TwoValuesButton(), Qt::LeftButton);
    for (QLineEdit* edit : {alarm.HourEdit(), alarm.MinuteEdit(), time.HourEdit(),
                            time.MinuteEdit(), loop.CountEdit(), sensor.FirstValueEdit(),
                            sensor.SecondValueEdit()}) {
        Type(edit, QStringLiteral("1a-2.3 "));
        QCOMPARE(edit->text(), QStringLiteral("123"));
    }
}

void NumberSettingsDialogsTest::sensorTwoValuesOnTemperature() {
    CDlgFlowSetting_Sensor dialog(DefaultInstruction(Kind::SensorLight), nullptr);
    QTest::mouseClick(dialog.TwoValuesButton(), Qt::LeftButton);
    dialog.SensorList()->setCurrentIndex(1);           // 温度
    dialog.FirstComparisonList()->setCurrentIndex(1);  // ＜
    dialog.SecondComparisonList()->setCurrentIndex(1);
    Type(dialog.FirstValueEdit(), QStringLiteral("30"));
    Type(dialog.SecondValueEdit(), QStringLiteral("20"));
    const Code code = PressOk(dialog);
    COMPARE_CODE(code, (Code{0xBF, 0x32, 0x83, 0xAA, 30, 20, 0xFE, 0xFE}));

    CDlgFlowSetting_Sensor reopened(dialog.Instruction(), nullptr);
    QVERIFY(reopened.TwoValuesButton()->isChecked());
    QVERIFY(reopened.SecondComparisonList()->isEnabled());
    QCOMPARE(reopened.SensorList()->currentText(), QStringLiteral("温度"));
    QCOMPARE(reopened.SecondComparisonList()->currentText(), QStringLiteral("＜"));
    QCOMPARE(reopened.SecondValueEdit()->text(), QStringLiteral("20"));
}

void NumberSettingsDialogsTest::sensorOneValueDisablesTheSecondComparison() {
    // Light "＞" 100 with leftovers in the second comparison and value.
    CDlgFlowSetting_Sensor dialog(Make({0xBF, 0x31, 0x81, 0xDC, 100, 20, 0x09, 0x03}), nullptr);
    QVERIFY(dialog.OneValueButton()->isChecked());
    QVERIFY(!dialog.SecondComparisonList()->isEnabled());
    QVERIFY(!dialog.SecondValueEdit()->isEnabled());
    QCOMPARE(dialog.FirstComparisonList()->currentText(), QStringLiteral("＞"));
    QCOMPARE(dialog.FirstValueEdit()->text(), QStringLiteral("100"));
    COMPARE_CODE(PressOk(dialog), (Code{0xBF, 0x31, 0x81, 0x0C, 100, 0, 0x09, 0x03}));
}

void NumberSettingsDialogsTest::sensorRadioButtonsSwitchTheSecondComparison() {
    CDlgFlowSetting_Sensor dialog(DefaultInstruction(Kind::SensorSound), nullptr);
    QTest::mouseClick(dialog.TwoValuesButton(), Qt::LeftButton);
    QVERIFY(dialog.SecondComparisonList()->isEnabled());
    QVERIFY(dialog.SecondValueEdit()->isEnabled());
    QTest::mouseClick(dialog.OneValueButton(), Qt::LeftButton);
    QVERIFY(!dialog.SecondComparisonList()->isEnabled());
    QVERIFY(!dialog.SecondValueEdit()->isEnabled());
    const Code code = PressOk(dialog);
    QCOMPARE(code[1], 0x33);
    QCOMPARE(code[2], 0x81);
}

void NumberSettingsDialogsTest::sensorWithUnknownModeChecksNeitherButton() {
    // A high nibble outside 9..E shows "＝" on the left; OK without a mode
    // writes two comparisons.
    CDlgFlowSetting_Sensor dialog(Make({0xBF, 0x32, 0x80, 0x3A, 5, 6, 0xFE, 0xFE}), nullptr);
    QVERIFY(!dialog.OneValueButton()->isChecked());
    QVERIFY(!dialog.TwoValuesButton()->isChecked());
    QCOMPARE(dialog.SecondComparisonList()->currentText(), QStringLiteral("＝"));
    QCOMPARE(dialog.FirstComparisonList()->currentText(), QStringLiteral("＜"));
    COMPARE_CODE(PressOk(dialog), (Code{0xBF, 0x32, 0x83, 0x9A, 5, 6, 0xFE, 0xFE}));
}

void NumberSettingsDialogsTest::sensorValuesAreLimitedTo255() {
    CDlgFlowSetting_Sensor dialog(Make({0xBF, 0x31, 0x83, 0x99, 0, 0, 0xFE, 0xFE}), nullptr);
    Type(dialog.FirstValueEdit(), QStringLiteral("300"));
    Type(dialog.SecondValueEdit(), QStringLiteral("256"));
    const Code code = PressOk(dialog);
    QCOMPARE(code[4], 255);
    QCOMPARE(code[5], 255);
}

QTEST_MAIN(NumberSettingsDialogsTest)
#include "number_settings_dialogs_test.moc"
