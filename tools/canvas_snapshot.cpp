// Writes PNG pictures of the work area with a sample chart, so the canvas can
// be looked at without running the editor: normal view, whole view, line
// drawing, and a gallery of every symbol shape at twice its size.
// Usage: QT_QPA_PLATFORM=offscreen canvas-snapshot <output folder>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>
#include <vector>

#include "canvas/drawing_resources.h"
#include "canvas/editor_context.h"
#include "canvas/qt_chart_painter.h"
#include "canvas/work_area.h"
#include "canvas/work_area_host.h"
#include "chart_store.h"
#include "common/command_ids.h"
#include "instruction_params.h"
#include "nuvo_addr_generator.h"
#include "settings_editor.h"
#include "uid_generator.h"

namespace {

class PrintingNotifier : public INotifier {
public:
    void Notify(std::string_view text, MessageSeverity) override {
        std::fprintf(stderr, "message box: %.*s\n", static_cast<int>(text.size()), text.data());
    }
};

class NoSettings : public ISymbolSettingsEditor {
public:
    void ShowNoSettings() override {}
    bool EditInstruction(SymbolClass, NuvoInstruction&) override { return false; }
};

// The work area's window around it, reduced to nothing.
class QuietHost : public IWorkAreaHost {
public:
    void UpdateCounts() override {}
    void UpdateCursorCell(int, int) override {}
    void WriteMessage(std::string_view) override {}
    ISymbolSettingsEditor& SettingsEditor() override { return settings_; }
    void PageChanged(int) override {}
    void SetEditMenusEnabled(bool) override {}
    void NewDocument() override {}
    void OpenDocument() override {}
    void SaveDocument() override {}
    void SaveDocumentAs() override {}
    void PrintChart() override {}

private:
    NoSettings settings_;
};

struct Sheet {
    UidGenerator uids;
    NUVOAddrGenerator slotTable;
    PrintingNotifier notifier;
    CFlowObjectManager store{uids, slotTable, notifier};

    int Place(int kind, int x, int y) { return store.CreateSymbol(0, kind, x, y); }

    template <typename Fn>
    void Edit(int uid, Fn edit) {
        IFLOWOBJECT* object = store.Find(uid);
        object->SetInstruction(edit(object->Instruction()));
    }

    int Connect(int from, int connector, int to, std::vector<Point> waypoints = {}) {
        Point a;
        Point b;
        store.Find(from)->Connectors().PointOf(connector, a);
        store.Find(to)->Connectors().PointOf(Connector::In, b);
        store.BeginLine(from, connector, a.x, a.y);
        for (const Point& w : waypoints) store.AddWaypoint(w.x, w.y);
        return store.FinishLine(0, to, b.x, b.y);
    }
};

// A program that uses most kinds: a main path with a decision, a loop and a
// call; two stacked symbols whose touching connectors are covered; one
// symbol and one line selected.
void BuildSample(Sheet& s) {
    const int start = s.Place(Kind::Start, 240, 48);
    const int led = s.Place(Kind::Led, 240, 144);
    s.Edit(led, [](NuvoInstruction i) { return WriteLed(i, {4, true, true}); });
    const int wait = s.Place(Kind::Wait, 240, 240);
    const int light = s.Place(Kind::SensorLight, 240, 336);
    s.Edit(light, [](NuvoInstruction i) {
        return WriteSensor(i, {0, SensorMode::OneValue, 2, 0, 50, 0});
    });
    const int loop = s.Place(Kind::LoopBegin, 240, 432);
    s.Edit(loop, [](NuvoInstruction i) { return WriteLoopCount(i, 3); });
    const int time = s.Place(Kind::TimeDecision, 240, 528);
    s.Edit(time, [](NuvoInstruction i) { return WriteTimeDecision(i, {3, {7, 30}}); });
    const int call = s.Place(Kind::CallSub, 240, 624);
    const int loopEnd = s.Place(Kind::LoopEnd, 240, 720);
    const int end = s.Place(Kind::End, 240, 816);
    const int sound = s.Place(Kind::Sound, 480, 432);
    // Stacked without a gap: the exit and the entry that touch are covered.
    s.Place(Kind::Relay1, 480, 144);
    s.Place(Kind::ClockAlarm, 480, 192);
    const int temperature = s.Place(Kind::SensorTemperature, 480, 624);
    s.Edit(temperature, [](NuvoInstruction i) {
        return WriteSensor(i, {1, SensorMode::TwoValues, 1, 1, 30, 20});
    });
    s.Place(Kind::Switch1, 720, 624);
    s.Place(Kind::Parallel, 720, 816);
    s.Place(Kind::TimerReset, 720, 144);

    s.Connect(start, Connector::Next, led);
    s.Connect(led, Connector::Next, wait);
    s.Connect(wait, Connector::Next, light);
    s.Connect(light, Connector::Next, loop);
    s.Connect(light, Connector::Branch, sound);
    s.Connect(loop, Connector::Next, time);
    s.Connect(time, Connector::Next, call);
    s.Connect(call, Connector::Next, loopEnd);
    s.Connect(loopEnd, Connector::Next, end);
    const int back = s.Connect(time, Connector::Branch, led, {{408, 552}});
    s.Connect(sound, Connector::Next, temperature, {{528, 528}});
    s.store.SetSelection({wait, back});
}

enum class GalleryForm { Plain, Selected, Invalid };

// Every shape and label form, drawn at twice the size.
QImage Gallery(const DrawingResources& resources, GalleryForm form) {
    Sheet s;
    const std::vector<int> kinds = {
        Kind::Start,   Kind::End,          Kind::Led,        Kind::Relay2,
        Kind::Sound,   Kind::Wait,         Kind::ClockAlarm, Kind::SensorSound,
        Kind::Switch2, Kind::TimeDecision, Kind::LoopBegin,  Kind::LoopEnd,
        Kind::CallSub, Kind::TimerReset,   Kind::Timer,      Kind::Parallel};
    std::vector<int> placed;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const int uid = s.Place(kinds[i], 24 + static_cast<int>(i % 4) * 144,
                                24 + static_cast<int>(i / 4) * 96);
        placed.push_back(uid);
        if (form != GalleryForm::Invalid) continue;
        SymbolRecord record = s.store.Find(uid)->GetSymbolRecord();
        record.engine.invalid = 1;
        s.store.DestroyObject(uid);
        record.uid = s.uids.Next();  // takes back the uid just released
        s.store.RestoreSymbol(0, record);
    }
    s.store.SetSelection(form == GalleryForm::Selected ? placed : std::vector<int>{});
    QImage image(600, 408, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtChartPainter chartPainter(painter, resources);
        s.store.DrawChart(chartPainter, 0, true, false, false);
    }
    return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

bool Save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: canvas-snapshot <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const DrawingResources resources;
    Sheet sheet;
    BuildSample(sheet);
    EditorContext context(sheet.store);
    QuietHost host;
    CDlgWorkArea area(context, resources, host);
    area.resize(1000, 760);
    area.show();

    bool ok = Save(area.grab().toImage(), folder, "canvas_normal.png");
    area.OnCommand(CommandId::WholeView);
    ok = Save(area.grab().toImage(), folder, "canvas_whole.png") && ok;
    area.OnCommand(CommandId::NormalView);
    // A line on its way from the alarm's exit, one waypoint placed.
    Point from;
    sheet.store.Find(sheet.store.HitTestBodies(0, 500, 200).uid)
        ->Connectors()
        .PointOf(Connector::Next, from);
    sheet.store.BeginLine(sheet.store.HitTestBodies(0, 500, 200).uid, Connector::Next, from.x,
                          from.y);
    sheet.store.AddWaypoint(from.x + 120, from.y + 48);
    sheet.store.SetLineMouse(from.x + 216, from.y + 168);
    context.state.mouseMode = MouseMode::LineDrawing;
    ok = Save(area.grab().toImage(), folder, "canvas_line_drawing.png") && ok;
    ok = Save(Gallery(resources, GalleryForm::Plain), folder, "symbols_plain.png") && ok;
    ok = Save(Gallery(resources, GalleryForm::Selected), folder, "symbols_selected.png") && ok;
    ok = Save(Gallery(resources, GalleryForm::Invalid), folder, "symbols_invalid.png") && ok;
    return ok ? 0 : 1;
}
