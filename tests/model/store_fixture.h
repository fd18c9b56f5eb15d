// A fresh chart store with its own slot table, uid generator and a notifier
// that records messages, plus helpers to build small charts.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart_store.h"
#include "nuvo_addr_generator.h"
#include "recording_notifier.h"
#include "uid_generator.h"

class StoreTest : public ::testing::Test {
protected:
    UidGenerator uids;
    NUVOAddrGenerator slots;
    RecordingNotifier notifier;
    CFlowObjectManager store{uids, slots, notifier};

    Point ConnectorPoint(int uid, int connector) {
        Point p;
        store.Find(uid)->Connectors().PointOf(connector, p);
        return p;
    }

    // Draws a line from an exit of one symbol to the entry of another, as the canvas does.
    int Connect(int fromUid, int connector, int toUid, std::vector<Point> waypoints = {}) {
        const Point a = ConnectorPoint(fromUid, connector);
        store.BeginLine(fromUid, connector, a.x, a.y);
        for (const Point& w : waypoints) store.AddWaypoint(w.x, w.y);
        const Point b = ConnectorPoint(toUid, Connector::In);
        return store.FinishLine(store.Find(fromUid)->Chart(), toUid, b.x, b.y);
    }

    bool IsDeleted(int uid) { return store.Find(uid)->Deleted(); }
};
