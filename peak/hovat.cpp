// hovat: f = hovat(x, W, T [, F]), IF estimates every T samples from the peak power of a
// rectangular-window spectrogram with F-point (at least W) transforms.
#include <cstring>

#include "frame.h"
#include "peak_args.h"
#include "slice.h"

static const PeakRules kRules = {"hovat", "Smoothing window length must be a scalar", 0, "hovat",
                                 "Memory allocation\tfailed"};

// out[i] = IF estimate at sample (i+1)*t from the segment of up to w samples around it. The last
// instant lies at or past the end of the signal: its segment is empty and its estimate 0.
static int hovat_estimate(const double* re, const double* im, int n, double* out, int h, int t, int w,
                          int nfft, int p)
{
    Complex* z = working_array(n, "hovat", "Memory allocation\tfailed");
    if (!z) return 1;
    Complex* buf = working_array(nfft, "hovat", "Memory allocation\tfailed");
    if (!buf) return 1;
    load_signal(z, re, im, n);
    const long reach = w / 2;
    for (long i = 0; i < h; ++i) {
        const long at = (i + 1) * t;
        long half = reach < at ? reach : at;
        if (at >= n - half) half = n - at;
        std::memset(buf, 0, sizeof(Complex) * static_cast<size_t>(nfft));
        if (half > 0) std::memcpy(buf, z + at - half, sizeof(Complex) * static_cast<size_t>(2 * half));
        fft(buf, p, 1);
        const long peak = peak_index(nfft, [buf](long k) { return buf[k].re * buf[k].re + buf[k].im * buf[k].im; });
        out[i] = static_cast<double>(peak) / static_cast<double>(nfft);
    }
    return 0;
}

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    PeakArgs a;
    if (peak_args(kRules, nlhs, plhs, nrhs, prhs, &a)) return;
    plhs[0] = mxCreateDoubleMatrix(static_cast<mwSize>(a.count), 1, mxREAL);
    if (!plhs[0]) {
        report_error("hovat", "Memory allocation failed", nlhs, plhs);
        return;
    }
    hovat_estimate(a.re, a.im, a.n, mxGetPr(plhs[0]), a.count, a.step, a.window, a.nfft, a.log2n);
}
