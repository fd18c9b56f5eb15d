// Writing the report page and the four charts as a flowchart file.
#pragma once

#include <optional>
#include <string>

#include "chart_store.h"
#include "report_data.h"

// The whole document as indented UTF-8 XML text, read from the store under
// its lock one chart at a time; nullopt (after telling the user) when the
// document template does not parse.
std::optional<std::string> WriteDocument(CFlowObjectManager& store, const ReportData& report);

// Writes the document to path, replacing an existing file only once the new
// one is complete on disk. False when nothing was written: an empty path, or
// an error the user has been told about.
bool SaveAll(CFlowObjectManager& store, const std::string& path, const ReportData& report);
