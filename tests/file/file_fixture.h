// A fresh chart store with recording message sinks, and helpers to build
// charts the way the editor does and to describe what a store holds.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "chart_store.h"
#include "message_lines.h"
#include "nuvo_addr_generator.h"
#include "uid_generator.h"

class RecordingMessages : public INotifier, public IMessageArea {
public:
    void Notify(std::string_view text, MessageSeverity severity) override {
        boxes.emplace_back(text);
        severities.push_back(severity);
    }
    void AddMessage(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> boxes;
    std::vector<MessageSeverity> severities;  // one per box
    std::vector<std::string> lines;
};

// A symbol as seen from outside: where it is, what the file says of it and
// the instruction it gives the program image.
struct SymbolView {
    int chart = 0;
    int slot = 0;
    int kind = 0;
    int left = 0;
    int top = 0;
    NuvoObjectRecord record;
    NuvoInstruction code;

    bool operator==(const SymbolView&) const = default;
};

// A line by the slots it joins.
struct LineView {
    int chart = 0;
    int fromSlot = 0;
    int connector = 0;
    int toSlot = 0;
    std::vector<Point> waypoints;

    bool operator==(const LineView&) const = default;
};

inline void PrintTo(const SymbolView& s, std::ostream* os) {
    *os << "{chart " << s.chart << " slot " << s.slot << " kind " << s.kind << " at " << s.left
        << "," << s.top << " " << s.record.flowObjName << " code";
    for (std::uint8_t byte : s.code.code) *os << ' ' << std::hex << int{byte} << std::dec;
    *os << "}";
}
inline void PrintTo(const LineView& l, std::ostream* os) {
    *os << "{chart " << l.chart << " " << l.fromSlot << ":" << l.connector << " -> " << l.toSlot
        << " via";
    for (const Point& p : l.waypoints) *os << " (" << p.x << "," << p.y << ")";
    *os << "}";
}

class StoreFixture {
public:
    RecordingMessages messages;
    UidGenerator uids;
    NUVOAddrGenerator slots;
    CFlowObjectManager store{uids, slots, messages};

    // Draws a line from an exit of one symbol to the entry of another, as the canvas does.
    int Connect(int fromUid, int connector, int toUid, std::vector<Point> waypoints = {}) {
        Point a;
        store.Find(fromUid)->Connectors().PointOf(connector, a);
        store.BeginLine(fromUid, connector, a.x, a.y);
        for (const Point& w : waypoints) store.AddWaypoint(w.x, w.y);
        Point b;
        store.Find(toUid)->Connectors().PointOf(Connector::In, b);
        return store.FinishLine(store.Find(fromUid)->Chart(), toUid, b.x, b.y);
    }

    void SetCode(int uid, std::array<std::uint8_t, 8> code) {
        NuvoInstruction instruction;
        instruction.valid = 1;
        instruction.code = code;
        store.RestoreInstruction({uid}, instruction);
    }

    // Live symbols ordered by slot.
    std::vector<SymbolView> Symbols() {
        auto lock = store.Lock();
        std::vector<SymbolView> views;
        for (const auto& o : store.Objects()) {
            if (o->Deleted() || o->IsLine()) continue;
            views.push_back({o->Chart(), slots.SlotOf(o->Uid()), o->KindCode(), o->Bounds().left,
                             o->Bounds().top, o->Engine().objectRecord, o->GetObjectCode(slots)});
        }
        std::sort(views.begin(), views.end(),
                  [](const auto& a, const auto& b) { return a.slot < b.slot; });
        return views;
    }

    // Live lines ordered by the slots they join.
    std::vector<LineView> Lines() {
        auto lock = store.Lock();
        std::vector<LineView> views;
        for (const auto& o : store.Objects()) {
            if (o->Deleted() || !o->IsLine()) continue;
            views.push_back({o->Chart(), slots.SlotOf(o->From().uid), o->From().connector,
                             slots.SlotOf(o->To().uid), o->Waypoints()});
        }
        std::sort(views.begin(), views.end(), [](const auto& a, const auto& b) {
            return std::tie(a.fromSlot, a.connector) < std::tie(b.fromSlot, b.connector);
        });
        return views;
    }

    // Every object, deleted ones included.
    std::size_t ObjectCount() {
        auto lock = store.Lock();
        return store.Objects().size();
    }
};
