// halvor: whole calls for N = 1024, 2048 and 4096 with each kernel type. Reported per call:
// the peak of live bytes per N*P cell (kernel table and output block included), the working
// doubles per cell beside those two, and the time next to the floor: the three N*P matrix
// transforms of the client alone, timed in the same iterations. The literal computation, with
// every form in an array of its own, is measured once per size for comparison.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "halvor_literal.h"
#include "mexhost.h"

using namespace mexhost;

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t0)
{
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

const char* const kTypes[] = {"csk", "ckd", "mfk"};

std::vector<double> test_signal(int N)
{
    std::vector<double> x(N);
    for (int n = 0; n < N; ++n) {
        const double t = static_cast<double>(n) / N;
        x[n] = std::cos(2 * M_PI * N * (0.05 * t + 0.075 * t * t)) + std::cos(2 * M_PI * 0.35 * n);
    }
    return x;
}

std::vector<Array> call_args(int type, int N)
{
    std::vector<Array> args = {column(test_signal(N)), str(kTypes[type]), scalar(1.0)};
    if (type == 0) args.push_back(scalar(0.1));
    if (type == 1) {
        args.push_back(scalar(0.1));
        args.push_back(scalar(0.05));
    }
    if (type == 2) {
        args.push_back(row({0, 30, -30}));
        args.push_back(row({0.05, 0.03, 0.03}));
        args.push_back(row({0.1, 0.08, 0.08}));
    }
    return args;
}

// One client transform of a rows-by-cols complex matrix; only the call itself is timed.
double timed_transform(const char* name, size_t rows, size_t cols)
{
    mxArray* in[1] = {mxCreateDoubleMatrix(rows, cols, mxCOMPLEX)};
    double* re = mxGetPr(in[0]);
    double* im = mxGetPi(in[0]);
    for (size_t i = 0; i < rows * cols; ++i) {
        re[i] = std::sin(0.001 * static_cast<double>(i));
        im[i] = std::cos(0.002 * static_cast<double>(i));
    }
    mxArray* out[1] = {nullptr};
    const Clock::time_point t0 = Clock::now();
    mexCallMATLAB(1, out, 1, in, name);
    const double s = seconds_since(t0);
    mxDestroyArray(in[0]);
    mxDestroyArray(out[0]);
    return s;
}

// The floor of one call: "fft" and "ifft" of N-by-P and "fft" of P-by-N.
double floor_seconds(int N, int P)
{
    double s = 0;
    run([&] {
        s += timed_transform("fft", N, P);
        s += timed_transform("ifft", N, P);
        s += timed_transform("fft", P, N);
    });
    return s;
}

void set_memory_counters(benchmark::State& state, long peak, int N, int P)
{
    const double cells = static_cast<double>(N) * P;
    state.counters["bytes_per_cell"] = static_cast<double>(peak) / cells;
    // Beside the kernel table (one double per cell and P row references) and the output block.
    state.counters["work_dbl_per_cell"] = (static_cast<double>(peak) - 8.0 * P) / cells / 8.0 - 2.0;
}

// One call of the module's entry point, timed alone: the arguments are made before, and the
// output is left to the host, as a client would take it over.
double timed_call(const Module& mod, const std::vector<Array>& args, Result* r)
{
    double s = 0;
    *r = run([&] {
        std::vector<const mxArray*> prhs;
        for (const Array& a : args) prhs.push_back(make(a));
        mxArray* plhs[1] = {nullptr};
        const Clock::time_point t0 = Clock::now();
        mod.entry(1, plhs, static_cast<int>(prhs.size()), prhs.data());
        s = seconds_since(t0);
        if (!plhs[0] || mxGetN(plhs[0]) != mxGetN(prhs[0]) * mxGetM(prhs[0])) s = -1;
    });
    return s;
}

void BM_halvor(benchmark::State& state)
{
    const int type = static_cast<int>(state.range(0)), N = static_cast<int>(state.range(1)), P = N;
    const std::vector<Array> args = call_args(type, N);
    const Module& mod = load("halvor");
    double module_s = 0, floor_s = 0;
    long peak = 0;
    for (auto _ : state) {
        Result r;
        const double s = timed_call(mod, args, &r);
        if (s < 0) {
            state.SkipWithError(("call failed: " + r.printed).c_str());
            break;
        }
        state.SetIterationTime(s);
        module_s += s;
        peak = r.allocated_bytes_peak;
        floor_s += floor_seconds(N, P);
    }
    state.SetLabel(kTypes[type]);
    set_memory_counters(state, peak, N, P);
    state.counters["floor_ms"] = benchmark::Counter(floor_s * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["x_floor"] = floor_s > 0 ? module_s / floor_s : 0;
}

// The literal computation of the distribution alone, with a kernel table of ones.
void BM_literal_distribution(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0)), P = N;
    const std::vector<double> x = test_signal(N);
    double module_s = 0, floor_s = 0;
    long peak = 0;
    for (auto _ : state) {
        double s = 0;
        const Result r = run([&] {
            double** rows = static_cast<double**>(mxCalloc(P, sizeof(double*)));
            double* block = static_cast<double*>(mxCalloc(static_cast<size_t>(P) * N, sizeof(double)));
            for (int j = 0; j < P; ++j) rows[j] = block + static_cast<size_t>(j) * N;
            for (size_t i = 0; i < static_cast<size_t>(P) * N; ++i) block[i] = 1.0;
            double* out = static_cast<double*>(mxMalloc(static_cast<size_t>(P) * N * sizeof(double)));
            const Clock::time_point t0 = Clock::now();
            halvor_literal::kernel_distribution(x.data(), N, P, rows, out);
            s = seconds_since(t0);
        });
        state.SetIterationTime(s);
        module_s += s;
        peak = r.allocated_bytes_peak;
        floor_s += floor_seconds(N, P);
    }
    set_memory_counters(state, peak, N, P);
    state.counters["floor_ms"] = benchmark::Counter(floor_s * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["x_floor"] = floor_s > 0 ? module_s / floor_s : 0;
}

}  // namespace

BENCHMARK(BM_halvor)
    ->ArgsProduct({{0, 1, 2}, {1024, 2048, 4096}})
    ->ArgNames({"type", "N"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
BENCHMARK(BM_literal_distribution)
    ->Arg(1024)
    ->Arg(2048)
    ->ArgNames({"N"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

// Each mfk call writes check.txt into the current folder: run in a folder of our own.
int main(int argc, char** argv)
{
    char dir[] = "/tmp/bench_halvor.XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) {
        std::perror("bench_halvor: temporary folder");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove("check.txt");
    if (chdir("/") == 0) rmdir(dir);
    return 0;
}
