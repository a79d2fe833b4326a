// nupe and yeskel: time per sample on a 10^6-sample chirp, real (analytic step included) and
// complex (the estimator loop alone).
// delfo: one call for N = 4096, W = 255, R = 1, next to the same number of 4096-point FFTW
// transforms measured in the same run (two per computed lag, two more for a real signal's
// analytic step).
// The modules are entered directly inside a host run, so the figures leave out the test-side
// copies of inputs and outputs that mexhost::call makes. Times are the thread's CPU time: the
// machine is shared, and wall time would count other processes' turns.
// The C library would hand the tens of megabytes of each 10^6-sample call back to the system
// at its end and fault them in again at the next (about 6700 page faults a call, which tripled
// the time per sample of whichever estimator ran first); keeping freed memory in the process
// measures the modules rather than that. Run with --no_keep_memory to see the other figure.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <malloc.h>
#include <time.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "mexhost.h"

namespace {

void estimator(benchmark::State& st, const char* module, double param, bool real)
{
    const size_t n = 1000000;
    const mexhost::Module& mod = mexhost::load(module);
    const std::vector<mexhost::Array> args = {chirp(n, real), mexhost::scalar(param)};
    time_call(mod, args);  // untimed: first-call costs (loading, transform tables) are not per sample
    for (auto _ : st) st.SetIterationTime(time_call(mod, args));
    st.counters["per_sample"] = benchmark::Counter(static_cast<double>(n) * st.iterations(),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void delfo(benchmark::State& st, bool real)
{
    const int N = 4096, W = 255, R = 1;
    const mexhost::Module& mod = mexhost::load("delfo");
    const std::vector<mexhost::Array> args = {chirp(N, real), mexhost::scalar(R), mexhost::scalar(W)};
    const int lags = ((W - 1) / 2 + R - 1) / R;  // m = 0, R, 2R, ... below (W-1)/2
    const int transforms = 2 * lags + (real ? 2 : 0);
    time_call(mod, args);
    double ours = 0, fftw = 0;
    for (auto _ : st) {
        const double t = time_call(mod, args);
        st.SetIterationTime(t);
        ours += t;
        fftw += time_fftw(N, transforms);
    }
    st.counters["transforms"] = transforms;
    st.counters["fftw_ms"] = 1e3 * fftw / st.iterations();
    st.counters["ratio_to_fftw"] = ours / fftw;
}

}  // namespace

BENCHMARK_CAPTURE(estimator, nupe_real, "nupe", 0.9, true)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(estimator, nupe_complex, "nupe", 0.9, false)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(estimator, yeskel_real, "yeskel", 0.2, true)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(estimator, yeskel_complex, "yeskel", 0.2, false)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(delfo, real_4096_W255_R1, true)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(delfo, complex_4096_W255_R1, false)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    bool keep = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no_keep_memory") == 0) {
            keep = false;
            for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    if (keep) {
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
