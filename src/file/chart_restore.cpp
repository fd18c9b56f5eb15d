#include "chart_restore.h"

#include <algorithm>
#include <unordered_map>

#include "uid_generator.h"

namespace {

// Where a file id's symbol went: its uid (0 when it was dropped) and position.
struct Placed {
    int uid = 0;
    int x = 0;
    int y = 0;
};

// Entry connection point relative to a symbol's top-left.
constexpr Point kEntryAt{48, 0};

}  // namespace

void RestoreChart(CFlowObjectManager& store, int chart, const LoadedChart& loaded) {
    std::unordered_map<int, Placed> byFileId;
    for (const RebuiltSymbol& symbol : loaded.symbols)
        byFileId[symbol.fileId] = {store.Uids().Next(), symbol.x, symbol.y};
    std::vector<int> lineUids;
    for (std::size_t i = 0; i < loaded.lines.size(); ++i) lineUids.push_back(store.Uids().Next());

    std::vector<int> restored = store.Selection();
    for (const RebuiltSymbol& symbol : loaded.symbols) {
        Placed& placed = byFileId[symbol.fileId];
        const SymbolRecord record{placed.uid, symbol.kind, symbol.x, symbol.y, symbol.engine};
        placed.uid = store.RestoreSymbol(chart, record);
        if (placed.uid != 0) restored.push_back(placed.uid);
    }

    for (std::size_t i = 0; i < loaded.lines.size(); ++i) {
        const LoadedLine& line = loaded.lines[i];
        const Placed& from = byFileId[line.fromId];
        LineRecord record;
        record.uid = lineUids[i];
        record.from = {from.uid != 0 ? 1 : 0, from.uid, line.connector, line.from.x, line.from.y};
        if (const auto to = byFileId.find(line.toId); to != byFileId.end() && to->second.uid != 0)
            record.to = {1, to->second.uid, Connector::In, to->second.x + kEntryAt.x,
                         to->second.y + kEntryAt.y};
        record.waypoints = line.waypoints;
        if (const int uid = store.RestoreLine(chart, record); uid != 0) restored.push_back(uid);
    }

    // Lines whose ends do not meet their connectors are not kept at all.
    std::vector<int> invalid;
    store.ValidateLines(invalid);
    for (int uid : invalid) {
        store.PurgeObject(uid);
        restored.erase(std::remove(restored.begin(), restored.end(), uid), restored.end());
    }
    store.UpdateCoverage();
    store.SetSelection(restored);
}
