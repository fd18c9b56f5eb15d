// Reading a flowchart file into the chart store and the report data.
#pragma once

#include <string>
#include <string_view>

#include "chart_store.h"
#include "message_lines.h"
#include "report_data.h"

// Reads the document into the store, which is expected to be empty. On
// failure the user has been told why, and neither the store nor report has
// changed: charts are all read and checked before any reaches the store.
bool LoadDocument(CFlowObjectManager& store, std::string_view text, ReportData& report,
                  IMessageArea& messages);
// The same for the file at path; an unreadable file is a syntax error.
bool LoadAll(CFlowObjectManager& store, const std::string& path, ReportData& report,
             IMessageArea& messages);
