// Helpers of the settings dialog tests: instruction bytes, typing into a
// field, pressing OK, and a chart store with its editing state.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <array>
#include <cstdint>

#include "dialogs/settings_dialog.h"
#include "editor_state.h"
#include "quiet_store.h"

using Code = std::array<std::uint8_t, 8>;

inline NuvoInstruction Make(const Code& code) { return {1, code}; }

// Replaces a field's text the way the user does: select all, type.
inline void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

inline Code PressOk(CDlgFlowSetting& dialog) {
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    return dialog.Instruction().code;
}

inline QString Hex(const Code& code) {
    QStringList bytes;
    for (const std::uint8_t b : code) bytes << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
    return bytes.join(QLatin1Char(' '));
}

#define COMPARE_CODE(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

// Presses a button of whatever modal dialog is open once the event loop runs.
inline void PressInNextDialog(const char* button) {
    QTimer::singleShot(0, [button] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        auto* target = modal->findChild<QPushButton*>(QLatin1String(button));
        if (!target) {
            modal->close();
            QFAIL("the dialog has no such button");
        }
        QTest::mouseClick(target, Qt::LeftButton);
    });
}

// A chart store with the shared editing state, as the work area uses them.
struct Editing : QuietStore {
    EditorState state{store};
    SymbolSettingsDialogs dialogs{nullptr};
};
