// A chart store with its own uid generator and slot table, whose messages go
// nowhere: for benchmarks, the fuzzer and tests that do not look at messages.
#pragma once

#include <string_view>

#include "chart_store.h"
#include "message_lines.h"
#include "nuvo_addr_generator.h"
#include "uid_generator.h"

class SilentMessages : public INotifier, public IMessageArea {
public:
    void Notify(std::string_view, MessageSeverity) override {}
    void AddMessage(std::string_view) override {}
};

struct QuietStore {
    SilentMessages messages;
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    CFlowObjectManager store{uids, slotTable, messages};
};

// Draws a line from an exit of one symbol to the entry of another: down one
// cell, across, and on to the entry, as a pupil would route it.
inline void ConnectSymbols(CFlowObjectManager& store, int from, int connector, int to) {
    Point a, b;
    store.Find(from)->Connectors().PointOf(connector, a);
    store.Find(to)->Connectors().PointOf(Connector::In, b);
    store.BeginLine(from, connector, a.x, a.y);
    store.AddWaypoint(a.x, a.y + 24);
    store.AddWaypoint(b.x, a.y + 24);
    store.FinishLine(store.Find(from)->Chart(), to, b.x, b.y);
}
