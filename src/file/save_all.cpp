#include "save_all.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "atomic_file.h"
#include "file_messages.h"
#include "nuvo_addr_generator.h"
#include "text_fields.h"
#include "xml_writer.h"

namespace {

constexpr std::string_view kTemplate = "<?xml version=\"1.0\" encoding=\"utf-8\"?><qex></qex>";

// A symbol as written: its slot, and the lines leaving its two exits.
struct SymbolToWrite {
    int slot = 0;
    SymbolRecord record;
    std::optional<LineRecord> next;
    std::optional<LineRecord> branch;
};

void WriteReport(CXMLWriter& writer, CFlowObjectManager& store, const ReportData& report) {
    auto lock = store.Lock();
    pugi::xml_node element =
        writer.AppendElement(writer.Root(), "report", {}, {{"title", report.title}});
    writer.AppendElement(element, "user", {},
                         {{"school", report.school},
                          {"grade", report.grade},
                          {"class", report.klass},
                          {"number", report.number},
                          {"name", report.name}});
    writer.AppendElement(element, "comment", report.comment);
}

std::vector<SymbolToWrite> CollectChart(CFlowObjectManager& store, int chart) {
    std::vector<SymbolToWrite> symbols;
    std::vector<LineRecord> lines;
    for (const auto& object : store.Objects()) {
        if (object->Deleted() || object->Chart() != chart) continue;
        if (object->IsLine())
            lines.push_back(object->GetLineRecord());
        else
            symbols.push_back({0, object->GetSymbolRecord(), std::nullopt, std::nullopt});
    }
    for (LineRecord& line : lines) {
        const auto from = std::find_if(symbols.begin(), symbols.end(), [&](const auto& s) {
            return s.record.uid == line.from.uid;
        });
        if (from == symbols.end()) continue;
        line.to.uid = store.Slots().SlotOf(line.to.uid);
        if (line.from.connector == Connector::Next) from->next = line;
        if (line.from.connector == Connector::Branch) from->branch = line;
    }
    for (SymbolToWrite& symbol : symbols) symbol.slot = store.Slots().SlotOf(symbol.record.uid);
    std::stable_sort(symbols.begin(), symbols.end(),
                     [](const auto& a, const auto& b) { return a.slot < b.slot; });
    return symbols;
}

void WriteExit(CXMLWriter& writer, pugi::xml_node fobj, const char* name,
               const std::optional<LineRecord>& line) {
    if (!line) return;
    writer.AppendElement(fobj, name, FormatWaypoints(line->waypoints),
                         {{"id", std::to_string(line->to.uid)}});
}

void WriteSymbol(CXMLWriter& writer, pugi::xml_node chart, const SymbolToWrite& symbol) {
    const NuvoObjectRecord& record = symbol.record.engine.objectRecord;
    pugi::xml_node fobj = writer.AppendElement(
        chart, "fobj", {}, {{"id", std::to_string(symbol.slot)}, {"symbol", record.symbolName}});
    writer.AppendElement(fobj, "name", record.flowObjName);
    for (const FuncObject& func : record.funcObjects)
        writer.AppendElement(
            fobj, "nuvoobj", FormatOperandBytes(func.operands),
            {{"name", func.name}, {"argo", std::to_string(func.operands.size() + 1)}});
    writer.AppendElement(fobj, "position", FormatGridPair(symbol.record.left, symbol.record.top));
    WriteExit(writer, fobj, "next", symbol.next);
    WriteExit(writer, fobj, "branch", symbol.branch);
}

void WriteChart(CXMLWriter& writer, CFlowObjectManager& store, int chart) {
    auto lock = store.Lock();
    pugi::xml_node element = writer.AppendElement(
        writer.Root(), "chart", {}, {{"chartId", std::to_string(chart)}, {"chartArea", "80,112"}});
    for (const SymbolToWrite& symbol : CollectChart(store, chart))
        WriteSymbol(writer, element, symbol);
}

}  // namespace

std::optional<std::string> WriteDocument(CFlowObjectManager& store, const ReportData& report) {
    CXMLWriter writer;
    if (!writer.Start(kTemplate)) {
        store.Notifier().ShowError(FileText::SyntaxError);
        return std::nullopt;
    }
    WriteReport(writer, store, report);
    for (int chart = 0; chart < kChartCount; ++chart) WriteChart(writer, store, chart);
    return writer.Serialize();
}

bool SaveAll(CFlowObjectManager& store, const std::string& path, const ReportData& report) {
    if (path.empty()) return false;
    const std::optional<std::string> text = WriteDocument(store, report);
    if (!text) return false;
    if (const std::optional<FileError> error = ReplaceFileContents(path, *text)) {
        store.Notifier().ShowError(WriteErrorText(error->code, error->description));
        return false;
    }
    return true;
}
