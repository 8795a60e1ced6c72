// A full transmission of template 4 with real pauses through the virtual stick: how much
// longer it takes than the pauses the protocol requires, 2 x (1 s + 0.25 s x N) for N
// periods. Target: a ratio of at most 1.02.

#include "VirtualStick.h"
#include "zeft_RadioFrames.h"
#include "zeft_Templates.h"
#include "zeft_Transmission.h"
#include "zeft_USBRF.h"
#include "zeft_uTrx.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TemplateTransmissionWithRealPauses(benchmark::State& state) {
    namespace vs = zeft::virtualstick;
    vs::Reset();
    vs::PlugIn();
    std::string directory = (std::filesystem::temp_directory_path() / "zeft-bench-XXXXXX").string();
    if (!mkdtemp(directory.data())) {
        state.SkipWithError("no scratch directory");
        return;
    }
    const std::vector<std::uint8_t> library = ReadFile(ZEFT_VIRTUAL_DRIVER);
    zeft::TuTrxLoader driver(library, directory);
    zeft::TUSBRF radio(driver);
    if (!radio.LoadAndConnectStick()) {
        state.SkipWithError("the virtual stick was not found");
        return;
    }
    zeft::TSystemRadioClock clock;
    zeft::TProgramTransmitter transmitter(radio, clock);
    const auto location = zeft::CreateTemplateLocation(4, [](int) { return std::string("4"); });
    const int periods = zeft::CountPeriods(*location);
    const double requiredSeconds = 2 * (1.0 + 0.25 * periods);

    double totalSeconds = 0;
    for (auto _ : state) {
        vs::ClearReports();
        const auto start = std::chrono::steady_clock::now();
        const bool transmitted = transmitter.TransmitWeeklyProgram(*location, {});
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        totalSeconds += elapsed.count();
        if (!transmitted)
            state.SkipWithError("the transmission failed");
    }
    const double ratio = totalSeconds / (static_cast<double>(state.iterations()) * requiredSeconds);
    state.counters["periods"] = periods;
    state.counters["required_s"] = requiredSeconds;
    state.counters["ratio"] = ratio;
    std::printf("template 4: %d periods, pauses required %.2f s, wall time / pauses = %.4f "
                "(target <= 1.02)\n",
                periods, requiredSeconds, ratio);

    radio.UnloadDriver();
    vs::Reset();
    std::filesystem::remove_all(directory);
}

BENCHMARK(TemplateTransmissionWithRealPauses)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
