// The report page: seven text fields on a white page, and today's date.
#include "dialogs/report_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/settings_dialog_base.h"

namespace {

constexpr int kTypedLimit = 32;  // school, name and title

// Typing stops at the limit, but a longer text put in from a file stays
// whole: the limit never drops below the text's current length.
void LimitTyping(QLineEdit* edit, int limit) {
    edit->setMaxLength(limit);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit](const QString& text) {
        edit->setMaxLength(std::max(limit, static_cast<int>(text.length())));
    });
}

void SetWholeText(QLineEdit* edit, const std::string& text, bool limited) {
    const QString value = QString::fromStdString(text);
    if (limited) edit->setMaxLength(std::max(kTypedLimit, static_cast<int>(value.length())));
    edit->setText(value);
    edit->setCursorPosition(0);
}

QString CommentForEdit(const std::string& comment) {
    QString text = QString::fromStdString(comment);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

}  // namespace

QString FormatReportDate(const QDate& date) {
    return QStringLiteral("%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

CDlgReport::CDlgReport(QWidget* parent, DateSource today)
    : QWidget(parent),
      today_(std::move(today)),
      date_(new QLabel(QStringLiteral("****年**月**日"), this)),
      school_(NamedEdit(this, "edit1024")),
      grade_(NamedEdit(this, "edit1025")),
      class_(NamedEdit(this, "edit1026")),
      number_(NamedEdit(this, "edit1027")),
      name_(NamedEdit(this, "edit1028")),
      title_(NamedEdit(this, "edit1029")),
      comment_(new QPlainTextEdit(this)) {
    date_->setObjectName(QStringLiteral("static1031"));
    comment_->setObjectName(QStringLiteral("edit1030"));
    comment_->setTabChangesFocus(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    for (QLineEdit* edit : {school_, name_, title_}) LimitTyping(edit, kTypedLimit);
    BuildLayout();
    ShowToday();
}

void CDlgReport::BuildLayout() {
    const auto label = [this](const char* text) {
        return new QLabel(QString::fromUtf8(text), this);
    };
    const auto dx = [this](int units) { return DialogUnitsX(*this, units); };
    for (QLineEdit* edit : {school_, name_, title_}) edit->setFixedWidth(dx(187));
    for (QLineEdit* edit : {grade_, class_, number_}) edit->setFixedWidth(dx(28));
    comment_->setFixedSize(dx(270), DialogUnitsY(*this, 90));

    auto* classRow = new QGridLayout;
    classRow->setHorizontalSpacing(dx(11));
    classRow->addWidget(label("学年"), 0, 0);
    classRow->addWidget(label("組"), 0, 1);
    classRow->addWidget(label("番号"), 0, 2);
    classRow->addWidget(grade_, 1, 0);
    classRow->addWidget(class_, 1, 1);
    classRow->addWidget(number_, 1, 2);
    classRow->setColumnStretch(3, 1);

    const int gap = DialogUnitsY(*this, 10);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(dx(7), DialogUnitsY(*this, 7), dx(7), DialogUnitsY(*this, 7));
    page->addWidget(date_);
    page->addSpacing(gap);
    page->addWidget(label("学校名(32文字以内)"));
    page->addWidget(school_);
    page->addSpacing(gap);
    page->addLayout(classRow);
    page->addSpacing(gap);
    page->addWidget(label("名前(32文字以内)"));
    page->addWidget(name_);
    page->addSpacing(gap);
    page->addWidget(label("フローチャートのタイトル(32文字以内)"));
    page->addWidget(title_);
    page->addSpacing(gap);
    page->addWidget(label("コメント"));
    page->addWidget(comment_);
    page->addStretch();
}

ReportData CDlgReport::GetReport() const {
    return {school_->text().toStdString(),        grade_->text().toStdString(),
            class_->text().toStdString(),         number_->text().toStdString(),
            name_->text().toStdString(),          title_->text().toStdString(),
            comment_->toPlainText().toStdString()};
}

void CDlgReport::SetReport(const ReportData& report) {
    SetWholeText(school_, report.school, true);
    SetWholeText(grade_, report.grade, false);
    SetWholeText(class_, report.klass, false);
    SetWholeText(number_, report.number, false);
    SetWholeText(name_, report.name, true);
    SetWholeText(title_, report.title, true);
    comment_->setPlainText(CommentForEdit(report.comment));
}

void CDlgReport::ClearReport() { SetReport(ReportData{}); }

void CDlgReport::showEvent(QShowEvent* event) {
    ShowToday();
    QWidget::showEvent(event);
}

QString CDlgReport::ShowToday() {
    const QString text = FormatReportDate(today_());
    date_->setText(text);
    return text;
}
