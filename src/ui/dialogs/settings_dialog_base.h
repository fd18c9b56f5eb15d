// The frame every symbol settings dialog shares, and the helpers that build
// and read its controls.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <string_view>

#include "nuvo_instruction.h"

class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

// A modal "設定編集" dialog over a copy of a symbol's instruction. The
// subclass fills its controls from the copy when it is built; OK writes
// them back into the copy and closes, Cancel closes and leaves the copy.
class CDlgFlowSetting : public QDialog {
    Q_OBJECT

public:
    const NuvoInstruction& Instruction() const { return instruction_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // False for the dialog of symbols that have nothing to set.
    virtual bool HasSettings() const { return true; }

    void accept() override;

protected:
    // The focus starts on the first field the pupil came to set: the first
    // enabled number field, or else the first list; never on OK.
    void showEvent(QShowEvent* event) override;

    CDlgFlowSetting(const NuvoInstruction& instruction, QWidget* parent);

    // Places the kind's controls above the buttons, their first row topUnits
    // dialog units down as in the template, and fixes the dialog's size.
    void SetContent(QLayout* content, int topUnits = 23);
    virtual void WriteControls(NuvoInstruction& instruction) const = 0;

    // Dialog units of the dialog's font, the unit the control sizes are given in.
    int DluX(int units) const;
    int DluY(int units) const;

    NuvoInstruction instruction_;

private:
    QPushButton* ok_;
    QPushButton* cancel_;
};

QString FromUtf8(std::string_view text);

// Dialog units of a widget's font: a quarter of the average Latin letter
// width across, an eighth of the line height down.
int DialogUnitsX(const QWidget& widget, int units);
int DialogUnitsY(const QWidget& widget, int units);

// A drop-down list named after its control id, holding the texts of a table.
template <typename Table>
QComboBox* MakeList(QWidget* parent, const char* name, const Table& table);
QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items);

// An edit named after its control id; digitsOnly refuses everything but 0-9.
QLineEdit* MakeEdit(QWidget* parent, const char* name, bool digitsOnly);

// The unsigned number a digits-only field holds; empty reads as 0, and
// numbers too large for the type saturate (callers limit them further).
long long ReadDigits(const QString& text);
// The decimal number at the start of the text; text that is not a number reads as 0.
double ReadDecimal(const QString& text);

// The texts of a table whose rows carry a `text` field.
template <typename Table>
QStringList TableTexts(const Table& table) {
    QStringList items;
    for (const auto& row : table) items << FromUtf8(row.text);
    return items;
}

template <typename Table>
QComboBox* MakeList(QWidget* parent, const char* name, const Table& table) {
    return MakeList(parent, name, TableTexts(table));
}
