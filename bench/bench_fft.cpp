// Our fft (forward and inverse) against the literal per-butterfly algorithm and FFTW, for
// N = 2^4 .. 2^20, all measured in this run on the same data; a table of ratios follows the
// benchmark output.
//
// Every variant transforms one buffer in place over and over. A transform changes the scale of
// its data by up to N, so the buffer is restored from the input (untimed) before its values could
// leave the normal range; how often depends only on N, the same for every variant.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "fft_literal.h"
#include "fourier.h"

namespace {

const int kMinLog2n = 4, kMaxLog2n = 20;

std::vector<Complex> input(long n)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<Complex> x(n);
    for (Complex& c : x) c = Complex{u(rng), u(rng)};
    return x;
}

// Transforms in a row before the data could overflow (forward) or reach subnormals (inverse).
long restore_every(long n) { return std::max(1L, static_cast<long>(280.0 / std::log10(static_cast<double>(n)))); }

template <typename Transform>
void repeat(benchmark::State& state, Complex* buf, const std::vector<Complex>& x, Transform transform)
{
    const long n = static_cast<long>(x.size()), every = restore_every(n);
    std::memcpy(buf, x.data(), sizeof(Complex) * n);
    long done = 0;
    for (auto _ : state) {
        transform();
        benchmark::ClobberMemory();
        if (++done == every) {
            state.PauseTiming();
            std::memcpy(buf, x.data(), sizeof(Complex) * n);
            done = 0;
            state.ResumeTiming();
        }
    }
}

void bench_ours(benchmark::State& state, int log2n, double dir)
{
    const std::vector<Complex> x = input(1L << log2n);
    std::vector<Complex> buf(x.size());
    repeat(state, buf.data(), x, [&] { fft(buf.data(), log2n, dir); });
}

void bench_literal(benchmark::State& state, int log2n)
{
    const std::vector<Complex> x = input(1L << log2n);
    std::vector<Complex> buf(x.size());
    repeat(state, buf.data(), x, [&] { fft_literal(buf.data(), log2n, 1.0); });
}

void bench_fftw(benchmark::State& state, int log2n)
{
    const long n = 1L << log2n;
    const std::vector<Complex> x = input(n);
    fftw_complex* buf = fftw_alloc_complex(n);
    fftw_plan plan = fftw_plan_dft_1d(static_cast<int>(n), buf, buf, FFTW_FORWARD, FFTW_MEASURE);
    repeat(state, reinterpret_cast<Complex*>(buf), x, [&] { fftw_execute(plan); });
    fftw_destroy_plan(plan);
    fftw_free(buf);
}

// Keeps each run's CPU time per transform (microseconds) for the table: the machine may be
// shared, and CPU time is what a busy neighbour disturbs least.
class TableReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> micros;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration) micros[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

std::string key(const char* what, int log2n) { return std::string(what) + "/" + std::to_string(1L << log2n); }

}  // namespace

int main(int argc, char** argv)
{
    for (int log2n = kMinLog2n; log2n <= kMaxLog2n; ++log2n) {
        benchmark::RegisterBenchmark(key("ours_forward", log2n).c_str(), bench_ours, log2n, 1.0)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(key("ours_inverse", log2n).c_str(), bench_ours, log2n, -1.0)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(key("literal", log2n).c_str(), bench_literal, log2n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(key("fftw", log2n).c_str(), bench_fftw, log2n)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nCPU time per transform (us)\n%9s %12s %12s %12s %12s %9s %9s %11s\n", "N",
                "ours fwd", "ours inv", "literal", "FFTW", "fwd/FFTW", "inv/FFTW", "literal/fwd");
    for (int log2n = kMinLog2n; log2n <= kMaxLog2n; ++log2n) {
        const auto get = [&](const char* what) {
            const auto it = reporter.micros.find(key(what, log2n));
            return it == reporter.micros.end() ? NAN : it->second;
        };
        const double fwd = get("ours_forward"), inv = get("ours_inverse"), lit = get("literal"),
                     fftw = get("fftw");
        if (std::isnan(fwd) && std::isnan(inv) && std::isnan(lit) && std::isnan(fftw)) continue;
        std::printf("%9ld %12.3f %12.3f %12.3f %12.3f %9.2f %9.2f %11.1f\n", 1L << log2n, fwd, inv,
                    lit, fftw, fwd / fftw, inv / fftw, lit / fwd);
    }
    return 0;
}
