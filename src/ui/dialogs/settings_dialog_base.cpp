// The shared frame of the settings dialogs and the parsing of their number fields.
#include "dialogs/settings_dialog_base.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <charconv>
#include <limits>
#include <string>

namespace {

// The dialog template's size in dialog units.
constexpr int kDialogWidth = 176;
constexpr int kDialogHeight = 87;
constexpr int kButtonWidth = 50;

// Average character width the way dialog units are defined: over the Latin letters.
int AverageCharWidth(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
}

}  // namespace

CDlgFlowSetting::CDlgFlowSetting(const NuvoInstruction& instruction, QWidget* parent)
    : QDialog(parent), instruction_(instruction) {
    setWindowTitle(QStringLiteral("設定編集"));
    setModal(true);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    connect(ok_, &QPushButton::clicked, this, &CDlgFlowSetting::accept);
    connect(cancel_, &QPushButton::clicked, this, &CDlgFlowSetting::reject);
}

void CDlgFlowSetting::accept() {
    WriteControls(instruction_);
    QDialog::accept();
}

void CDlgFlowSetting::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const auto usable = [](const QWidget* w) { return w->isEnabled() && !w->isHidden(); };
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        if (!usable(field)) continue;
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();  // typing replaces the number shown
        return;
    }
    for (QComboBox* list : findChildren<QComboBox*>()) {
        if (!usable(list)) continue;
        list->setFocus(Qt::TabFocusReason);
        return;
    }
}

void CDlgFlowSetting::SetContent(QLayout* content, int topUnits) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ok_, cancel_}) {
        button->setMinimumWidth(DluX(kButtonWidth));
        buttons->addWidget(button);
    }
    auto* frame = new QVBoxLayout(this);
    QMargins margins = frame->contentsMargins();
    margins.setTop(DluY(topUnits));
    frame->setContentsMargins(margins);
    frame->addLayout(content);
    frame->addStretch();
    frame->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(DluX(kDialogWidth), DluY(kDialogHeight))));
}

int CDlgFlowSetting::DluX(int units) const { return DialogUnitsX(*this, units); }

int CDlgFlowSetting::DluY(int units) const { return DialogUnitsY(*this, units); }

int DialogUnitsX(const QWidget& widget, int units) {
    return units * AverageCharWidth(widget.fontMetrics()) / 4;
}

int DialogUnitsY(const QWidget& widget, int units) {
    return units * widget.fontMetrics().height() / 8;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, bool digitsOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    if (digitsOnly) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    return edit;
}

long long ReadDigits(const QString& text) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        const int digit = c.unicode() - u'0';
        if (value > (kMax - digit) / 10) return kMax;
        value = value * 10 + digit;
    }
    return value;
}

double ReadDecimal(const QString& text) {
    // Parsed without the locale, so a decimal point is always '.'.
    std::string number = text.trimmed().toStdString();
    if (!number.empty() && number.front() == '+') number.erase(0, 1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}
