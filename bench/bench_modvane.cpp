// modvane on a real linear chirp, T = 1, F = N:
//   plain, N = 1024 and N = 4096;  smoothed, N = 4096 with a 255-point hann window.
// Each iteration also runs the literal algorithm (the step-by-step arrays and the per-butterfly
// fft) on the same input, so the ratio between the two is measured in the same run. Memory is
// the peak of live bytes the host saw during the call (output included, inputs excluded), per
// cell of the NFFT-by-C grid. Times are the thread's CPU time of the entry point alone (the
// machine is shared; the test-side copies of inputs and outputs are left out).
// touch_ms is a floor measured in the same run: the time to write once to every page of a
// fresh block as large as the module's peak. On a virtual machine with costly page faults it
// is a large share of any implementation that obtains that much memory.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "bench_support.h"
#include "mexhost.h"
#include "modvane_literal.h"

namespace {

double time_first_touch(size_t bytes)
{
    char* p = static_cast<char*>(std::malloc(bytes));
    if (!p) return 0;
    const double t0 = cpu_seconds();
    for (size_t i = 0; i < bytes; i += 4096) p[i] = 1;
    const double seconds = cpu_seconds() - t0;
    benchmark::DoNotOptimize(p);
    std::free(p);
    return seconds;
}

// The literal algorithm with the same arguments (N = F, a power of two, T = 1, L = 0); its
// peak live bytes go to *peak.
double time_literal(const mexhost::Array& x, int W, int wtype, long* peak)
{
    const int N = static_cast<int>(x.numel());
    const int P = static_cast<int>(std::lround(std::log2(N)));
    double seconds = 0;
    const mexhost::Result r = mexhost::run([&] {
        mxArray* out = mxCreateDoubleMatrix(static_cast<size_t>(N / 2 + 1), static_cast<size_t>(N), mxCOMPLEX);
        const double t0 = cpu_seconds();
        modvane_literal::distribution(x.re.data(), nullptr, N, mxGetPr(out), mxGetPi(out), N, 1, N, P, W, wtype);
        seconds = cpu_seconds() - t0;
        benchmark::DoNotOptimize(out);
    });
    *peak = r.allocated_bytes_peak;
    return seconds;
}

void modvane(benchmark::State& st, int N, int W)
{
    const mexhost::Module& mod = mexhost::load("modvane");
    const mexhost::Array x = chirp(static_cast<size_t>(N));
    std::vector<mexhost::Array> args = {x, mexhost::scalar(1), mexhost::scalar(N), mexhost::scalar(0)};
    if (W > 0) args.insert(args.end(), {mexhost::scalar(W), mexhost::str("hann")});
    const double cells = static_cast<double>(N) * N;  // NFFT by C

    const mexhost::Result once = mexhost::call(mod, 1, args);
    double ours = 0, literal = 0, touch = 0;
    long literal_peak = 0;
    for (auto _ : st) {
        const double t = time_call(mod, args);
        st.SetIterationTime(t);
        ours += t;
        literal += time_literal(x, W, 2, &literal_peak);
        touch += time_first_touch(static_cast<size_t>(once.allocated_bytes_peak));
    }
    st.counters["bytes_per_cell"] = static_cast<double>(once.allocated_bytes_peak) / cells;
    st.counters["peak_MB"] = static_cast<double>(once.allocated_bytes_peak) / 1e6;
    st.counters["literal_bytes_per_cell"] = static_cast<double>(literal_peak) / cells;
    st.counters["literal_ms"] = 1e3 * literal / static_cast<double>(st.iterations());
    st.counters["literal_over_ours"] = literal / ours;
    st.counters["touch_ms"] = 1e3 * touch / static_cast<double>(st.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(modvane, plain_N1024, 1024, 0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(modvane, plain_N4096, 4096, 0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(modvane, hann255_N4096, 4096, 255)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
