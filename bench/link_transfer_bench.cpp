// A full program transfer to the simulated board, measured against its paced floor.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "board_worker.h"
#include "quiet_link_host.h"
#include "simulated_board.h"

namespace {

using std::chrono::duration;
using std::chrono::steady_clock;

// The pacing alone: 100 ms after the header, then 10 ms after each of the 64 blocks.
constexpr double kFloorMs = 100.0 + kProgramBlockCount * 10.0;

// Every slot in use, so the image build does its full work.
class FullProgram final : public IProgramSource {
public:
    FullProgram() {
        for (int slot = 1; slot <= 250; ++slot) {
            NuvoInstruction instruction;
            instruction.valid = 1;
            const auto next = static_cast<std::uint8_t>(slot == 250 ? kNoSlot : slot + 1);
            instruction.code = {0x3F, 0x21, 0x80, 0x00, 0xF0, 0x00, 0x00, next};
            if (slot == 1) instruction.code = {0x7F, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02};
            entries_.push_back({0, slot, instruction});
        }
    }
    std::vector<ObjectCodeEntry> CollectObjectCodes() const override { return entries_; }

private:
    std::vector<ObjectCodeEntry> entries_;
};

void BM_ProgramTransfer(benchmark::State& state) {
    SystemLinkClock clock;
    SimulatedBoard board(clock);
    UsbInterface usb(board);
    QuietLinkHost host;
    FullProgram program;
    BoardWorker worker(usb, clock, host, program);

    UsbDeviceInfo info;
    usb.OpenDevice(std::string(SimulatedBoard::kDevicePath), info);
    worker.Begin();
    while (worker.State() != BoardStep::Polling) worker.Step();

    double totalMs = 0.0;
    double worstMs = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        board.ClearTraffic();
        worker.Place(BoardStep::SendProgram);
        state.ResumeTiming();

        const auto begin = steady_clock::now();
        worker.Step();
        const double ms = duration<double, std::milli>(steady_clock::now() - begin).count();
        totalMs += ms;
        worstMs = std::max(worstMs, ms);
    }
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = kFloorMs;
    state.counters["mean_ms"] = meanMs;
    state.counters["overhead_pct"] = (meanMs - kFloorMs) / kFloorMs * 100.0;
    state.counters["worst_overhead_pct"] = (worstMs - kFloorMs) / kFloorMs * 100.0;
}

BENCHMARK(BM_ProgramTransfer)->Unit(benchmark::kMillisecond)->Iterations(8)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
