#include "load_all.h"

#include <array>
#include <fstream>
#include <optional>

#include "chart_restore.h"
#include "file_messages.h"
#include "xml_reader.h"

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // istream::read turns a read error (a folder, a device fault) into badbit.
    std::string bytes;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

bool LoadDocument(CFlowObjectManager& store, std::string_view text, ReportData& report,
                  IMessageArea& messages) {
    CXMLReader reader;
    if (!reader.Parse(text)) {
        store.Notifier().ShowError(FileText::SyntaxError);
        return false;
    }
    ReportData readReport = report;
    reader.ReadReport(readReport);
    std::array<LoadedChart, kChartCount> charts;
    for (int chart = 0; chart < kChartCount; ++chart) {
        const ChartReadResult result = reader.ReadChart(chart, charts[chart]);
        if (!result.ok) {
            const std::string problem = SymbolProblemText(chart, result.failedId);
            store.Notifier().ShowNotice(problem);
            messages.AddMessage(problem);
            return false;
        }
    }
    // One lock for all four charts: an image built meanwhile sees all or nothing.
    auto lock = store.Lock();
    for (int chart = 0; chart < kChartCount; ++chart) RestoreChart(store, chart, charts[chart]);
    report = std::move(readReport);
    return true;
}

bool LoadAll(CFlowObjectManager& store, const std::string& path, ReportData& report,
             IMessageArea& messages) {
    const std::optional<std::string> text = ReadFile(path);
    if (!text) {
        store.Notifier().ShowError(FileText::SyntaxError);
        return false;
    }
    return LoadDocument(store, *text, report, messages);
}
