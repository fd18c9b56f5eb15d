// The virtual board: a 250-slot program at board speed as the window drives it, and
// qen-cli simulate on a minute of a loop with waits.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "qen_cli.h"
#include "simulated_board.h"

namespace {

using namespace std::chrono_literals;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Every slot in use: start, then LED red and dark by turns through slot 250,
// which goes back to slot 2. No wait: one instruction every simulated millisecond.
NuvoProgramManager::Image FullLoop() {
    NuvoProgramManager::Image image;
    image[0].code = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
    image[1].code = {0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02};
    for (int slot = 2; slot <= 250; ++slot) {
        const auto next = static_cast<std::uint8_t>(slot == 250 ? 2 : slot + 1);
        const std::uint8_t state = slot % 2 == 0 ? 0x80 : 0x00;
        image[static_cast<std::size_t>(slot)].code = {0x3F, 0x21, state, 0x00, 0xF0,
                                                      0x00, 0x00, next};
    }
    return image;
}

// What the window does while the program runs: every 20 ms it reads what the
// board shows, and the board worker reads a status report every 100 ms. One
// iteration is one simulated second at ×1.
void BM_BoardSpeed250Slots(benchmark::State& state) {
    ManualLinkClock clock;
    SimulatedBoard board(clock);
    UsbDeviceInfo info;
    board.Open(std::string(SimulatedBoard::kDevicePath), info);
    const auto send = [&](const Payload& payload, std::chrono::milliseconds pause) {
        clock.SleepFor(pause);
        board.Write(FrameReport(payload));
    };
    const NuvoProgramManager::Image image = FullLoop();
    send(BuildProgramHeader(StorageArea::Save1), 100ms);
    for (int n = 0; n < kProgramBlockCount; ++n)
        send(BuildProgramBlock(StorageArea::Save1, image, n), n == 0 ? 100ms : 10ms);
    send(BuildControlReport(ControlValue::Run), 10ms);

    double cpu = 0.0;
    std::size_t slots = 0;
    for (auto _ : state) {
        const double begin = ThreadCpuSeconds();
        for (int tick = 1; tick <= 50; ++tick) {
            clock.SleepFor(20ms);
            const VirtualBoardView view = board.View();
            slots += view.activeSlots.size();
            if (tick % 5 == 0) benchmark::DoNotOptimize(board.Status());
        }
        cpu += ThreadCpuSeconds() - begin;
    }
    benchmark::DoNotOptimize(slots);
    if (board.View().state != RunState::Running) state.SkipWithError("the program stopped");
    const double perSimulatedSecond = cpu / static_cast<double>(state.iterations());
    state.counters["cpu_us_per_sim_s"] = perSimulatedSecond * 1e6;
    state.counters["core_pct"] = perSimulatedSecond * 100.0;
}

BENCHMARK(BM_BoardSpeed250Slots)->Unit(benchmark::kMicrosecond);

// qen-cli simulate FILE --seconds 60 on red, wait 0.5 s, dark, wait 0.5 s, for ever:
// loading the file, the transfer to the simulated board, the run and the printing.
void BM_SimulateAMinuteOfALoopWithWaits(benchmark::State& state) {
    const std::vector<std::string> arguments = {
        "simulate", std::string(QEN_APP_TEST_DATA) + "/blink/input.xml", "--seconds", "60"};
    std::size_t lines = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (RunCli(arguments, {out, err}) != CliExit::Ok) state.SkipWithError("simulate failed");
        const std::string text = out.str();
        lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
    state.counters["lines"] = static_cast<double>(lines);
}

BENCHMARK(BM_SimulateAMinuteOfALoopWithWaits)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
