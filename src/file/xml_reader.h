// CXMLReader: parses a flowchart file and reads its report and charts into
// plain records, checking every symbol against the recognition table.
#pragma once

#include <pugixml.hpp>
#include <string_view>
#include <vector>

#include "engine_rebuild.h"
#include "geometry.h"
#include "report_data.h"

// A line as the file states it, its ends still named by file ids.
struct LoadedLine {
    int fromId = 0;
    int connector = 0;  // Connector::Next or Connector::Branch
    Point from;
    int toId = 0;
    std::vector<Point> waypoints;
};

struct LoadedChart {
    std::vector<RebuiltSymbol> symbols;  // in ascending file id
    std::vector<LoadedLine> lines;
};

struct ChartReadResult {
    bool ok = true;
    int failedId = 0;  // the first file id the recognition table refused
};

class CXMLReader {
public:
    static constexpr int kMaxFileId = 250;

    CXMLReader();
    CXMLReader(const CXMLReader&) = delete;
    CXMLReader& operator=(const CXMLReader&) = delete;

    // Parses UTF-8 text (byte-order mark and CR LF allowed); false when it is
    // not well-formed XML.
    bool Parse(std::string_view text);
    // Overwrites the parts of report the file holds; missing parts keep their values.
    void ReadReport(ReportData& report) const;
    // Reads chart n: for each id 1..250 the first fobj in document order that
    // "/qex/chart[@chartId=n]/fobj[@id=id]" selects.
    ChartReadResult ReadChart(int chart, LoadedChart& out);

private:
    std::vector<pugi::xml_node> FobjById(int chart);

    pugi::xml_document document_;
    pugi::xpath_variable_set variables_;
    pugi::xpath_query chartFobjs_;
    pugi::xpath_query fobjId_;
    pugi::xpath_query report_;
};
