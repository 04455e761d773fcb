// One send through the real dispatch over a pseudo-terminal: from the action's call to the
// last byte read at the far end. Open, line settings, write, drain and close are all inside.
#include "tests/support/port_fixture.h"

#include <benchmark/benchmark.h>

namespace {

void RunSend(benchmark::State& state, const char* port, void (CommandSet::*action)(),
             size_t bytes) {
    PtyPrinter printer;
    PortRig rig;
    rig.Use(port, printer.SlavePath());
    for (auto _ : state) {
        (rig.actions.*action)();
        if (printer.Read(bytes).size() != bytes) {
            state.SkipWithError("bytes missing at the far end");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_SerialCut(benchmark::State& state) {
    RunSend(state, "COM1", &CommandSet::cutClick, 4);
}
void BM_SerialTestPrint(benchmark::State& state) {
    RunSend(state, "COM1", &CommandSet::Button1Click, 259);
}
void BM_ParallelCut(benchmark::State& state) {
    RunSend(state, "LPT1", &CommandSet::cutClick, 4);
}
void BM_ParallelTestPrint(benchmark::State& state) {
    RunSend(state, "LPT1", &CommandSet::Button1Click, 259);
}

// The whole character chart, 540 bytes in 522 writes, from the click to the last byte read.
void BM_SerialChart(benchmark::State& state) {
    RunSend(state, "COM3", &CommandSet::ptClick, 540);
}
void BM_ParallelChart(benchmark::State& state) {
    RunSend(state, "LPT2", &CommandSet::ptClick, 540);
}

BENCHMARK(BM_SerialCut)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SerialTestPrint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParallelCut)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParallelTestPrint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SerialChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParallelChart)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
