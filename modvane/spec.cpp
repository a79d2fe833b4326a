// spec: the windowed columns go straight into the matrix handed to the client's fft (one call
// for all columns), and the caller reads S from the client's result. No other copy of the
// columns is held.
#include "spec.h"

#include "frame.h"
#include "windows.h"

static const char* const kName = "spec";

static int fail(const char* msg)
{
    mex_error(kName, msg);
    return 1;
}

static void fill_window(double* win, int W, int wtype)
{
    switch (wtype) {
    case 1:
        for (int i = 0; i < W; ++i) win[i] = 1.0 / W;  // weights summing to 1
        break;
    case 2: window_hann(win, W); break;
    case 3: window_hamming(win, W); break;
    case 4: window_bartlett(win, W); break;
    default: break;
    }
}

// Whatever answers to "fft" on the client's side must hand back a double NFFT-by-C matrix
// before its blocks are read.
static bool usable(const mxArray* r, int NFFT, int C)
{
    return r && mxIsDouble(r) && !mxIsSparse(r) && mxGetM(r) == static_cast<size_t>(NFFT) &&
           mxGetN(r) == static_cast<size_t>(C) && mxGetPr(r);
}

int spec(const Complex* x, int NFFT, int C, int T, int W, int wtype, ShortTimeSpectrum* s)
{
    s->matrix = nullptr;
    s->re = s->im = nullptr;

    double* win = static_cast<double*>(mxCalloc(static_cast<mwSize>(W), sizeof(double)));
    if (!win) return fail("Memory allocation failed: window");
    fill_window(win, W, wtype);

    mxArray* in = mxCreateDoubleMatrix(static_cast<mwSize>(NFFT), static_cast<mwSize>(C), mxCOMPLEX);
    if (!in) return fail("Memory allocation failed");
    double* g_re = mxGetPr(in);
    double* g_im = mxGetPi(in);

    // Lags wrap around the signal's ends. When W > NFFT several lags land on one position and
    // the latest one wins, so only the last NFFT lags can show: earlier ones are not written.
    const long n = NFFT, h = W / 2;
    const long first = (h - n + 1 > -h) ? h - n + 1 : -h;
    long t = 0;
    for (int c = 0; c < C; ++c, t += T) {
        double* col_re = g_re + static_cast<size_t>(c) * static_cast<size_t>(n);
        double* col_im = g_im + static_cast<size_t>(c) * static_cast<size_t>(n);
        for (long tau = first; tau <= h; ++tau) {
            long idx = (t + tau) % n;
            if (idx < 0) idx += n;
            col_re[idx] = x[idx].re * win[tau + h];
            col_im[idx] = x[idx].im * win[tau + h];
        }
    }
    mxFree(win);

    mxArray* arg[1] = {in};
    mxArray* res[1] = {nullptr};
    const int status = mexCallMATLAB(1, res, 1, arg, "fft");
    mxDestroyArray(in);
    if (status != 0) return fail("Unable to call FFT MATLAB function");
    if (!usable(res[0], NFFT, C)) {
        if (res[0]) mxDestroyArray(res[0]);
        return fail("Unable to call FFT MATLAB function");
    }
    s->matrix = res[0];
    s->re = mxGetPr(res[0]);
    // A real client narrows an all-zero imaginary part away: read it as zero, never as a block.
    s->im = mxIsComplex(res[0]) ? mxGetPi(res[0]) : nullptr;
    return 0;
}
