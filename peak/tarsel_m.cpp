// tarsel: f = tarsel(x, W, T [, F]), IF estimates every T samples from the peaks of a pseudo
// Wigner-Ville distribution with a W-sample lag window and F-point (at least W) transforms.
#include "frame.h"
#include "peak_args.h"
#include "tarsel.h"

static const PeakRules kRules = {"tarsel", "Window length must be a scalar", 1, "tarsel",
                                 "Memory allocation\tfailed"};

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    PeakArgs a;
    if (peak_args(kRules, nlhs, plhs, nrhs, prhs, &a)) return;
    plhs[0] = mxCreateDoubleMatrix(static_cast<mwSize>(a.count), 1, mxREAL);
    if (!plhs[0]) {
        // Raised on the client's side by the toolbox's error function, not printed.
        matlab_error("tarsel_m/mexFunction/plhs[0]: Memory allocation failed");
        return;
    }
    tarsel_estimate(a.re, a.im, a.n, mxGetPr(plhs[0]), a.count, a.step, a.window, a.nfft, a.log2n);
}
