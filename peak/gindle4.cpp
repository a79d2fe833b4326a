// gindle4: tfd = gindle4(x, W, T [, F]), the fourth-order distribution of the twice-interpolated
// analytic signal every T samples, with a W-sample lag window: a real 2*NFFT-by-ceil(N/T) matrix,
// NFFT the power of two not below max(F, W).
#include "fft_interpolate.h"
#include "frame.h"
#include "peak_args.h"
#include "slice.h"

static const PeakRules kRules = {"gindle4", "Smoothing window length must be a scalar", 0, "gindle",
                                 "Memory allocation failed"};

// Column i of out (2*nfft values) = the distribution at sample i*t. Two columns per transform of
// 2*nfft points, as in tarsel. Lags count samples of the interpolated signal y, which has half the
// amplitude of the signal: every value is scaled by 2^4.
static int gindle(const double* re, const double* im, int n, double* out, int h, int t, int w,
                  int nfft, int p)
{
    int e, log2e;
    // A signal too long for a power-of-two length cannot have its double-length array either.
    Complex* x = next_pow2(n, &e, &log2e)
                     ? nullptr
                     : static_cast<Complex*>(mxCalloc(2 * static_cast<mwSize>(e), sizeof(Complex)));
    if (!x) {
        mex_error("gindle", "Memory allocation failed");
        return 1;
    }
    load_signal(x, re, im, n);
    fft_interpolate(e, n, x, 2, log2e);
    const long q = 2L * nfft;
    Complex* buf = working_array(q, "gindle", "Memory allocation failed");
    if (!buf) return 1;
    const long reach = w / 2, len = 2L * n;
    for (long i = 0; i < h; i += 2) {
        const bool pair = i + 1 < h;
        pair_lags(buf, q, x, len, reach, 2 * i * t, pair ? 2 * (i + 1) * t : -1, FourthOrder());
        fft(buf, p + 1, 1);
        double* col = out + i * q;
        for (long k = 0; k < q; ++k) col[k] = 16 * buf[k].re;
        if (!pair) continue;
        col += q;
        for (long k = 0; k < q; ++k) col[k] = 16 * buf[k].im;
    }
    return 0;
}

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    PeakArgs a;
    if (peak_args(kRules, nlhs, plhs, nrhs, prhs, &a)) return;
    plhs[0] = mxCreateDoubleMatrix(2 * static_cast<mwSize>(a.nfft), static_cast<mwSize>(a.count), mxREAL);
    if (!plhs[0]) {
        report_error("gindle", "Memory allocation failed", nlhs, plhs);
        return;
    }
    gindle(a.re, a.im, a.n, mxGetPr(plhs[0]), a.count, a.step, a.window, a.nfft, a.log2n);
}
