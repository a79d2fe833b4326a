// The argument checks of the peak modules, in the order users see their messages.
#include "peak_args.h"

#include <cmath>

#include "frame.h"

int peak_args(const PeakRules& rules, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[],
              PeakArgs* a)
{
    auto fail = [&](const char* name, const char* msg) {
        report_error(name, msg, nlhs, plhs);
        return 1;
    };
    const char* name = rules.name;
    if (nrhs < 3) return fail(name, "Not enough input arguments");
    if (nrhs > 4) return fail(name, "Too many input arguments");
    if (nlhs > 1) return fail(name, "Too many output arguments");
    // Not numeric, sparse, not a vector, or empty: nothing to analyse.
    const int n = signal_length(prhs[0]);
    if (n == 0) return fail(name, "Input must be a vector");

    if (!is_scalar(prhs[1])) return fail(name, rules.window_not_scalar);
    int window = param_int(prhs[1]);
    if (window < 1) return fail(name, "Window length must be greater than zero");
    if (window > n) {
        mex_warning(name, "Window length has been truncated to signal length");
        window = (rules.odd_window && n % 2 == 0) ? n - 1 : n;
    }

    if (!is_scalar(prhs[2])) return fail(name, "Time resolution must be a scalar");
    const int step = param_int(prhs[2]);
    if (step < 1) return fail(name, "Time resolution must be greater than zero");
    if (step > n) return fail(name, "Time resolution must be no greater than signal length");

    int fft_length = window;
    if (nrhs == 4) {
        if (!is_scalar(prhs[3])) return fail(name, "FFT length must be a scalar");
        fft_length = param_int(prhs[3]);
    }
    if (fft_length < 1) return fail(name, "FFT length must be greater than zero");
    if (fft_length < window) fft_length = window;
    // Doubling towards a length beyond 2^30 would overflow an int and never end.
    if (next_pow2(fft_length, &a->nfft, &a->log2n)) return fail(name, kFftLengthTooLarge);

    if (read_doubles(prhs[0], &a->re, &a->im)) return fail(rules.memory_name, rules.memory_msg);
    a->n = n;
    a->window = window;
    a->step = step;
    a->count = static_cast<int>(std::ceil(static_cast<double>(n) / static_cast<double>(step)));
    return 0;
}
