// The report page's seven texts, saved with the charts and printed with them.
#pragma once

#include <string>

struct ReportData {
    std::string school;
    std::string grade;
    std::string klass;  // the pupil's class
    std::string number;
    std::string name;
    std::string title;
    std::string comment;  // may hold several lines, separated by "\n"

    bool operator==(const ReportData&) const = default;
};
