// modvane: the modvane distribution of a signal, or its real part (the Levin distribution),
// optionally smoothed through a rect, hann, hamm or bart window.
//   D = modvane(x, T, F, L, W, wtype)    trailing inputs optional; a seventh is not read
#include <cmath>

#include "distribution.h"
#include "frame.h"

static const char* const kName = "modvane";

// The output is made before the window checks. A later failure with an output requested
// replaces it by the empty matrix; with none requested the zero matrix stays in slot 1.
static void fail_after_output(const char* msg, int nlhs, mxArray* plhs[])
{
    if (nlhs > 0) {
        mxDestroyArray(plhs[0]);
        plhs[0] = nullptr;
    }
    report_error(kName, msg, nlhs, plhs);
}

// The window type, matched whole and case-sensitively. Returns the message of the failed
// check, or null with *wtype set.
static const char* read_window_type(const mxArray* arg, int* wtype)
{
    static const TextMessages messages = {"Smoothing window type must be a string",
                                          "Internal memory allocation failure",
                                          "Could not get smoothing window type"};
    static const char* const names[] = {"rect", "RECT", "hann", "HANN", "hamm", "HAMM", "bart", "BART"};
    char* text = nullptr;
    if (const char* msg = read_text(arg, messages, &text)) return msg;
    const int index = match_name(text, names, 8);
    mxFree(text);
    if (index < 0) return "Unknown smoothing window type";
    *wtype = index / 2 + 1;
    return nullptr;
}

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    if (nrhs < 1) return report_error(kName, "Not enough input arguments", nlhs, plhs);
    if (nrhs > 7) return report_error(kName, "Too many input arguments", nlhs, plhs);
    if (nlhs > 1) return report_error(kName, "Too many output arguments", nlhs, plhs);
    const int N = signal_length(prhs[0]);
    if (N == 0) return report_error(kName, "Input must be a vector", nlhs, plhs);

    int T = 1;
    if (nrhs >= 2) {
        if (!is_scalar(prhs[1])) return report_error(kName, "Time resolution must be a scalar", nlhs, plhs);
        T = param_int(prhs[1]);
        if (T < 1) return report_error(kName, "Time resolution length must be greater than zero", nlhs, plhs);
    }
    int F = N;
    if (nrhs >= 3) {
        if (!is_scalar(prhs[2])) return report_error(kName, "FFT length must be a scalar", nlhs, plhs);
        F = param_int(prhs[2]);
    }
    if (F < 1) return report_error(kName, "FFT length must be greater than zero", nlhs, plhs);
    int NFFT, P;
    if (next_pow2(F, &NFFT, &P) != 0)
        return report_error(kName, kFftLengthTooLarge, nlhs, plhs);
    int L = 0;
    if (nrhs >= 4) {
        if (!is_scalar(prhs[3])) return report_error(kName, "Modvane or Levin option must be a scalar", nlhs, plhs);
        L = param_int(prhs[3]);
        if (L != 0 && L != 1)
            return report_error(kName, "1 or 0 required for Modvane = 0 and Levin = 1", nlhs, plhs);
    }

    // Only the first min(NFFT, N) samples are analysed; every time c*T stays below that.
    const int M = NFFT < N ? NFFT : N;
    const int C = static_cast<int>(std::ceil(static_cast<double>(M) / static_cast<double>(T)));
    const mwSize R = static_cast<mwSize>(NFFT / 2) + 1;
    plhs[0] = mxCreateDoubleMatrix(R, static_cast<mwSize>(C), L == 0 ? mxCOMPLEX : mxREAL);
    if (!plhs[0]) return report_error(kName, "Memory allocation failed", nlhs, plhs);

    int W = 0;
    if (nrhs >= 5) {
        if (!is_scalar(prhs[4])) return fail_after_output("Smoothing window length must be a scalar", nlhs, plhs);
        W = param_int(prhs[4]);
        if (W < 1) return fail_after_output("Window length must be greater than zero", nlhs, plhs);
        if (W > N) {
            mex_warning(kName, "Window length has been truncated to signal length");
            W = N;
        }
        if (std::fmod(W, 2.0) == 0) {
            mex_warning(kName, "Window length is not odd, truncating to odd value.");
            W = W - 1;
        }
    }
    int wtype = 0;
    if (nrhs >= 6) {
        if (const char* msg = read_window_type(prhs[5], &wtype)) return fail_after_output(msg, nlhs, plhs);
    }
    if (nrhs == 5) return fail_after_output("Need to specify window type", nlhs, plhs);

    const double *re, *im;
    if (read_doubles(prhs[0], &re, &im) != 0) {
        // Converting a single or integer signal is part of getting it into working memory.
        mex_error(kName, "Memory allocation failed");
        return;
    }
    modvane_distribution(re, im, N, mxGetPr(plhs[0]), L == 0 ? mxGetPi(plhs[0]) : nullptr, C, T, NFFT, P, W,
                         wtype);
}
