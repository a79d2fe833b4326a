// What the module benchmarks share: a CPU clock, the test chirp, and timing one module call.
#ifndef TOOLBOX_BENCH_SUPPORT_H
#define TOOLBOX_BENCH_SUPPORT_H

#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <time.h>

#include <cmath>
#include <vector>

#include "mexhost.h"

// CPU time of this thread: steadier than wall time on a shared machine.
inline double cpu_seconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

// A linear chirp from 0.05 to 0.45 cycles per sample, real (a column) or analytic.
inline mexhost::Array chirp(size_t n, bool real = true)
{
    std::vector<double> re(n), im(n);
    for (size_t k = 0; k < n; ++k) {
        const double t = static_cast<double>(k);
        const double phi = 2 * M_PI * (0.05 * t + 0.2 * t * t / static_cast<double>(n));
        re[k] = std::cos(phi);
        im[k] = std::sin(phi);
    }
    return real ? mexhost::column(re) : mexhost::cplx(n, 1, re, im);
}

// Seconds of CPU for one call of the module's entry point with these arguments (argument
// creation and the reclaiming at the end of the call are not counted).
inline double time_call(const mexhost::Module& mod, const std::vector<mexhost::Array>& args)
{
    double seconds = 0;
    mexhost::run([&] {
        std::vector<const mxArray*> prhs;
        for (const mexhost::Array& a : args) prhs.push_back(mexhost::make(a));
        mxArray* plhs[1] = {nullptr};
        const double t0 = cpu_seconds();
        mod.entry(1, plhs, static_cast<int>(prhs.size()), prhs.data());
        seconds = cpu_seconds() - t0;
        benchmark::DoNotOptimize(plhs[0]);
    });
    return seconds;
}

// Seconds of CPU for count forward FFTW transforms of n points (planned with FFTW_MEASURE, not
// timed): the floor a module's own transforms are measured against.
inline double time_fftw(int n, int count)
{
    fftw_complex* in = fftw_alloc_complex(static_cast<size_t>(n));
    fftw_complex* out = fftw_alloc_complex(static_cast<size_t>(n));
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    for (int i = 0; i < n; ++i) {
        in[i][0] = std::cos(0.01 * i);
        in[i][1] = std::sin(0.02 * i);
    }
    const double t0 = cpu_seconds();
    for (int k = 0; k < count; ++k) fftw_execute(plan);
    const double seconds = cpu_seconds() - t0;
    benchmark::DoNotOptimize(out[0][0]);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
    return seconds;
}

#endif
