// Fixtures of the canvas tests: a fresh chart store, a settings editor and
// a window host that record what they were asked, and small chart builders.
#pragma once

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "canvas/work_area_host.h"
#include "chart_store.h"
#include "nuvo_addr_generator.h"
#include "recording_notifier.h"
#include "settings_editor.h"
#include "uid_generator.h"

// Answers the dialogs as a user who picks newInstruction and presses OK.
class FakeSettingsEditor : public ISymbolSettingsEditor {
public:
    void ShowNoSettings() override { ++noSettings; }
    bool EditInstruction(SymbolClass cls, NuvoInstruction& instruction) override {
        edited.push_back(cls);
        if (!accept) return false;
        instruction = newInstruction;
        return true;
    }

    bool accept = false;
    NuvoInstruction newInstruction;
    int noSettings = 0;
    std::vector<SymbolClass> edited;
};

class RecordingHost : public IWorkAreaHost {
public:
    void UpdateCounts() override { ++counts; }
    void UpdateCursorCell(int x, int y) override { cursorCell = {x, y}; }
    void WriteMessage(std::string_view text) override { messages.emplace_back(text); }
    ISymbolSettingsEditor& SettingsEditor() override { return settings; }
    void PageChanged(int page) override { pages.push_back(page); }
    void SetEditMenusEnabled(bool enabled) override { editMenus = enabled; }
    void NewDocument() override { files.push_back("new"); }
    void OpenDocument() override { files.push_back("open"); }
    void SaveDocument() override { files.push_back("save"); }
    void SaveDocumentAs() override { files.push_back("save as"); }
    void PrintChart() override { files.push_back("print"); }

    FakeSettingsEditor settings;
    int counts = 0;
    Point cursorCell;
    std::vector<std::string> messages;
    std::vector<int> pages;
    bool editMenus = true;
    std::vector<std::string> files;
};

struct ChartFixture {
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    RecordingNotifier notifier;
    CFlowObjectManager store{uids, slotTable, notifier};

    int Place(int kind, int x, int y, int chart = 0) {
        return store.CreateSymbol(chart, kind, x, y);
    }

    Point PointOf(int uid, int connector) const {
        Point p;
        store.Find(uid)->Connectors().PointOf(connector, p);
        return p;
    }

    int Connect(int from, int connector, int to, const std::vector<Point>& waypoints = {}) {
        const Point a = PointOf(from, connector);
        const Point b = PointOf(to, Connector::In);
        store.BeginLine(from, connector, a.x, a.y);
        for (const Point& w : waypoints) store.AddWaypoint(w.x, w.y);
        return store.FinishLine(store.Find(from)->Chart(), to, b.x, b.y);
    }

    // The live objects of a chart of one class (lines with SymbolClass::Line).
    std::vector<const IFLOWOBJECT*> Live(int chart, bool lines) const {
        std::vector<const IFLOWOBJECT*> found;
        auto lock = store.Lock();
        for (const auto& o : store.Objects())
            if (!o->Deleted() && o->Chart() == chart && o->IsLine() == lines)
                found.push_back(o.get());
        return found;
    }
};

inline QColor PixelAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

inline const QColor kInk(0, 0, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kWhite(255, 255, 255);
inline const QColor kGridColour(131, 202, 255);
inline const QColor kWindowColour(222, 231, 231);
