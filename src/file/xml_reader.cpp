#include "xml_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "name_tables.h"
#include "records.h"
#include "text_fields.h"
#include "xml_well_formed.h"

namespace {

// Exit connection points relative to a symbol's top-left.
constexpr Point kNextExitAt{48, 48};
constexpr Point kBranchExitAt{96, 24};

pugi::xpath_variable_set ChartVariable() {
    pugi::xpath_variable_set variables;
    variables.add("chart", pugi::xpath_type_number);
    return variables;
}

// The character content of an element: its text and CDATA children joined.
std::string Content(pugi::xml_node element) {
    std::string text;
    for (pugi::xml_node child : element.children())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
    return text;
}

NuvoObjectRecord ReadObjectRecord(pugi::xml_node fobj) {
    NuvoObjectRecord record;
    const NameEntry symbol = NUVOSymbolTable::Instance().Lookup(fobj.attribute("symbol").value());
    record.symbolName = fobj.attribute("symbol").value();
    record.symbolNumber = symbol.number;
    record.flowObjName = Content(fobj.child("name"));
    record.flowObjNumber = NUVOFlowObjNameTable::Instance().Lookup(record.flowObjName).number;
    for (pugi::xml_node nuvoobj : fobj.children("nuvoobj")) {
        FuncObject func;
        func.name = nuvoobj.attribute("name").value();
        func.number = NUVOFuncObjNameTable::Instance().Lookup(func.name).number;
        const int count = LeadingInt(nuvoobj.attribute("argo").value());
        func.operands = ReadOperandBytes(Content(nuvoobj), count - 1);
        record.funcObjects.push_back(std::move(func));
    }
    return record;
}

// Waypoints stay on the sheet, where the editor can reach them.
std::vector<Point> ReadLinePoints(pugi::xml_node exit) {
    std::vector<Point> points = ReadWaypoints(Content(exit), kMaxWaypoints);
    for (Point& p : points) {
        p.x = std::clamp(p.x, 0, kSheetWidth);
        p.y = std::clamp(p.y, 0, kSheetHeight);
    }
    return points;
}

void ReadExit(pugi::xml_node fobj, const char* name, const RebuiltSymbol& symbol, int connector,
              Point from, std::vector<LoadedLine>& lines) {
    const pugi::xml_node exit = fobj.child(name);
    if (!exit) return;
    lines.push_back({symbol.fileId, connector, from, LeadingInt(exit.attribute("id").value()),
                     ReadLinePoints(exit)});
}

}  // namespace

CXMLReader::CXMLReader()
    : variables_(ChartVariable()),
      chartFobjs_("/qex/chart[@chartId=$chart]/fobj", &variables_),
      fobjId_("number(@id)"),
      report_("/qex/report") {}

bool CXMLReader::Parse(std::string_view text) {
    // pugixml builds the tree and answers the queries but checks little of
    // XML's rules; a file it would half understand is refused here instead.
    if (!IsWellFormedXml(text)) return false;
    const pugi::xml_parse_result parsed = document_.load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_auto);
    return static_cast<bool>(parsed);
}

void CXMLReader::ReadReport(ReportData& report) const {
    const pugi::xml_node element = report_.evaluate_node(document_).node();
    if (!element) return;
    report.title = element.attribute("title").value();
    if (const pugi::xml_node user = element.child("user")) {
        report.school = user.attribute("school").value();
        report.grade = user.attribute("grade").value();
        report.klass = user.attribute("class").value();
        report.number = user.attribute("number").value();
        report.name = user.attribute("name").value();
    }
    if (const pugi::xml_node comment = element.child("comment")) report.comment = Content(comment);
}

std::vector<pugi::xml_node> CXMLReader::FobjById(int chart) {
    // One pass over the chart's fobj elements finds, for every id, the first
    // element the per-id query would select: same node set, same order, same
    // XPath comparison of the id attribute.
    std::vector<pugi::xml_node> byId(kMaxFileId + 1);
    variables_.set("chart", static_cast<double>(chart));
    pugi::xpath_node_set fobjs = chartFobjs_.evaluate_node_set(document_);
    fobjs.sort();
    for (const pugi::xpath_node& candidate : fobjs) {
        const double id = fobjId_.evaluate_number(candidate.node());
        if (!(id >= 1 && id <= kMaxFileId) || id != std::floor(id)) continue;
        pugi::xml_node& slot = byId[static_cast<std::size_t>(id)];
        if (!slot) slot = candidate.node();
    }
    return byId;
}

ChartReadResult CXMLReader::ReadChart(int chart, LoadedChart& out) {
    out = {};
    const std::vector<pugi::xml_node> byId = FobjById(chart);
    for (int id = 1; id <= kMaxFileId; ++id) {
        const pugi::xml_node fobj = byId[static_cast<std::size_t>(id)];
        if (!fobj) continue;
        const Point position = ReadGridPair(Content(fobj.child("position")));
        RebuiltSymbol symbol =
            RebuildEngineRecord(id, ReadObjectRecord(fobj), position.x, position.y);
        if (symbol.kind < 0) return {false, id};
        ReadExit(fobj, "next", symbol, Connector::Next,
                 {position.x + kNextExitAt.x, position.y + kNextExitAt.y}, out.lines);
        ReadExit(fobj, "branch", symbol, Connector::Branch,
                 {position.x + kBranchExitAt.x, position.y + kBranchExitAt.y}, out.lines);
        out.symbols.push_back(std::move(symbol));
    }
    return {};
}
