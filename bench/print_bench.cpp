// qen-cli print of a class: 30 files, each a main chart of 64 symbols with a
// report and a comment of twelve lines, into one PDF. Should take well under 10 s.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "qen_cli.h"
#include "quiet_store.h"
#include "save_all.h"

namespace {

constexpr int kFiles = 30;

// A pupil's file: a chain from the start through actions and decisions to the end.
void WritePupilFile(const std::string& path, int pupil) {
    constexpr int kKinds[] = {Kind::Led,   Kind::SensorLight, Kind::Wait,
                              Kind::Sound, Kind::Switch1,     Kind::Relay1};
    QuietStore document;
    CFlowObjectManager& store = document.store;
    int previous = store.CreateSymbol(0, Kind::Start, 0, 0);
    for (int i = 1; i < 64; ++i) {
        const int kind = i == 63 ? Kind::End : kKinds[i % 6];
        const int uid = store.CreateSymbol(0, kind, 144 * (i % 12), 96 * (i / 12) + 96);
        ConnectSymbols(store, previous, Connector::Next, uid);
        if (HasBranchExit(ClassOfKind(store.Find(previous)->KindCode())))
            ConnectSymbols(store, previous, Connector::Branch, uid);
        previous = uid;
    }
    ReportData report{
        "テルノ小学校", "5", "2", std::to_string(pupil + 1), "生徒" + std::to_string(pupil + 1),
        "信号機",       ""};
    for (int line = 0; line < 12; ++line)
        report.comment += "信号が変わるまで待つようにしました。\n";
    SaveAll(store, path, report);
}

void BM_CliPrintClass(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qen-print-bench";
    std::filesystem::create_directories(folder);
    std::vector<std::string> arguments = {"print"};
    for (int pupil = 0; pupil < kFiles; ++pupil) {
        const std::string path = (folder / ("pupil" + std::to_string(pupil) + ".xml")).string();
        WritePupilFile(path, pupil);
        arguments.push_back(path);
    }
    arguments.push_back("--pdf");
    arguments.push_back((folder / "class.pdf").string());
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (RunCli(arguments, {out, err}, {}, DrawingCommands()) != CliExit::Ok) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CliPrintClass)->Unit(benchmark::kMillisecond);

}  // namespace

// One Qt application for the whole run, as one qen-cli process has.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
