// tarsel and hovat (W = 255, T = 1) and gindle4 (W = 127, T = 4) on a real 16384-sample linear
// chirp. Each row gives the module's time per call and, measured in the same iterations:
//   literal_ms  the same computation written out step by step on the literal FFT (one twiddle
//               computed per butterfly), the algorithm as first stated;
//   floor_ms    FFTW doing the same number of transforms of the same lengths (the analytic step,
//               the interpolation and the slices), planned with FFTW_MEASURE;
//   vs_floor    module / floor;  literal_x  literal / module.
// The modules are entered directly inside a host run, so the figures leave out the test-side
// copies of inputs and outputs. Times are the thread's CPU time (the machine is shared), after
// warm-up calls.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <time.h>

#include <cmath>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "mexhost.h"
#include "peak_literal.h"

namespace {

const int kN = 16384;

using Literal = std::vector<double> (*)(const std::vector<double>&, const std::vector<double>&, int, int, int);

struct Setup {
    const char* module;
    int w, t;
    Literal literal;
    std::vector<std::pair<int, int>> transforms;  // (length, count) of the computation's FFTs
};

void peak(benchmark::State& st, const Setup& s)
{
    const std::vector<double> x = chirp(kN).re;
    const mexhost::Module& mod = mexhost::load(s.module);
    const std::vector<mexhost::Array> args = {mexhost::column(x), mexhost::scalar(s.w), mexhost::scalar(s.t)};
    const int log2n = literal::log2_ceil(s.w);
    // Untimed warm-up: the first calls fault in fresh pages for the output and the working
    // arrays (costly on this virtual machine) and build the FFT's twiddle tables; a client
    // calling the module repeatedly pays that once.
    for (int k = 0; k < 3; ++k) time_call(mod, args);
    double ours = 0, lit = 0, floor = 0;
    for (auto _ : st) {
        const double t = time_call(mod, args);
        st.SetIterationTime(t);
        ours += t;
        const double t0 = cpu_seconds();
        benchmark::DoNotOptimize(s.literal(x, {}, s.w, s.t, log2n).data());
        lit += cpu_seconds() - t0;
        for (const auto& tr : s.transforms) floor += time_fftw(tr.first, tr.second);
    }
    const double iters = static_cast<double>(st.iterations());
    st.counters["literal_ms"] = 1e3 * lit / iters;
    st.counters["floor_ms"] = 1e3 * floor / iters;
    st.counters["vs_floor"] = ours / floor;
    st.counters["literal_x"] = lit / ours;
}

// tarsel: two analytic-step transforms, then one slice transform per pair of the 16384 instants.
const Setup kTarsel = {"tarsel", 255, 1, literal::tarsel, {{kN, 2}, {256, kN / 2}}};
// hovat: the same analytic step, then one transform per instant.
const Setup kHovat = {"hovat", 255, 1, literal::hovat, {{kN, 2}, {256, kN}}};
// gindle4: the analytic step, the interpolation (one 16384- and one 32768-point transform), then
// one 256-point transform per pair of the 4096 instants.
const Setup kGindle4 = {"gindle4", 127, 4, literal::gindle4, {{kN, 3}, {2 * kN, 1}, {256, kN / 4 / 2}}};

}  // namespace

BENCHMARK_CAPTURE(peak, tarsel_16384_W255_T1, kTarsel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(peak, hovat_16384_W255_T1, kHovat)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(peak, gindle4_16384_W127_T4, kGindle4)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
