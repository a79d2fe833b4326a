// delfo: the ambiguity function of a signal.
//   A = delfo(x, R, W)    R: step between lags; W: number of lag rows
#include "ambiguity.h"
#include "frame.h"

static const char* const kName = "Amb";
static const char* const kNotVector = "Input signal must\tbe a vector";

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    if (nrhs != 3) return report_error(kName, "Three input arguments must exist", nlhs, plhs);
    if (nlhs > 1) return report_error(kName, "Only one output argument must exist.", nlhs, plhs);
    const int N = signal_length(prhs[0]);
    if (N == 0) return report_error(kName, kNotVector, nlhs, plhs);
    if (!is_scalar(prhs[1])) return report_error(kName, "Lag resolution must be an integer", nlhs, plhs);
    const int R = param_int(prhs[1]);
    if (R < 1) return report_error(kName, "lag resolution must be greater than zero", nlhs, plhs);
    if (!is_scalar(prhs[2])) return report_error(kName, "window length must be an integer", nlhs, plhs);
    const int W = param_int(prhs[2]);
    if (W < 1) return report_error(kName, "window length  must be greater than zero", nlhs, plhs);

    // A signal too long for a power-of-two length is an output too large to make.
    int P, log2P;
    if (next_pow2(N, &P, &log2P) != 0)
        return report_error(kName, "Internal memory allocation failure", nlhs, plhs);
    plhs[0] = mxCreateDoubleMatrix(static_cast<mwSize>(W), static_cast<mwSize>(P), mxCOMPLEX);
    if (!plhs[0]) return report_error(kName, "Internal memory allocation failure", nlhs, plhs);

    const double *re, *im;
    if (read_doubles(prhs[0], &re, &im) != 0) {
        // Converting a single or integer signal is part of getting it into working memory.
        mex_error(kName, "Memory allocation failed");
        return;
    }
    ambiguity_function(re, im, N, P, log2P, mxGetPr(plhs[0]), mxGetPi(plhs[0]), R, W);
}
