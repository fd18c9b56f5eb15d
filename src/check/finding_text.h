// The words of the chart check: chart and symbol names as the editor shows
// them, and the sentence of each finding.
#pragma once

#include <string>
#include <string_view>

#include "chart_check.h"

// The chart's tab name: "メイン", "サブ1", "サブ2", "サブ3".
std::string_view ChartName(int chart);
// The symbol's name as the palette and the help pages call it, e.g. "カラーLED".
std::string_view SymbolName(const CheckSymbol& symbol);
// One short sentence saying what is wrong and what the board will do;
// symbol is nullptr for the findings about a chart as a whole.
std::string FindingText(FindingKind kind, int chart, const CheckSymbol* symbol);

// The editor's message-area line of a finding: the chart's name, then its sentence.
std::string FindingLine(const ChartFinding& finding);
// The line before the findings: how many there are, and how to find them.
std::string CheckSummaryText(std::size_t findingCount);
