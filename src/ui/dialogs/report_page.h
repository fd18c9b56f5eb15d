// The report page of the work area: the pupil's report, saved with the
// charts and printed above the chart.
#pragma once

#include <QDate>
#include <QWidget>
#include <functional>

#include "report_data.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class CDlgReport : public QWidget {
    Q_OBJECT

public:
    using DateSource = std::function<QDate()>;

    // today supplies the local date; tests hand in a fixed one.
    explicit CDlgReport(QWidget* parent, DateSource today = &QDate::currentDate);

    // The texts as the page holds them; comment lines are separated by "\n".
    // The page is the current report: showing it needs no refill.
    ReportData GetReport() const;
    // Puts a report into the page. CR LF and lone CR in the comment count as
    // line breaks; texts longer than a field's limit are kept whole.
    void SetReport(const ReportData& report);
    void ClearReport();
    // Shows today's date ("%d年%02d月%02d日") on the page and returns it.
    QString ShowToday();

    QLabel* DateLabel() const { return date_; }
    QLineEdit* SchoolEdit() const { return school_; }
    QLineEdit* GradeEdit() const { return grade_; }
    QLineEdit* ClassEdit() const { return class_; }
    QLineEdit* NumberEdit() const { return number_; }
    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* TitleEdit() const { return title_; }
    QPlainTextEdit* CommentEdit() const { return comment_; }

protected:
    // Each time the page comes on screen it shows the day's date.
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();

    DateSource today_;
    QLabel* date_;
    QLineEdit* school_;
    QLineEdit* grade_;
    QLineEdit* class_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* title_;
    QPlainTextEdit* comment_;
};

// "%d年%02d月%02d日" of a date, as the page and the printout show it.
QString FormatReportDate(const QDate& date);
