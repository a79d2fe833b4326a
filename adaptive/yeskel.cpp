// yeskel: instantaneous frequency at every sample by a least-mean-squares linear predictor.
//   f = yeskel(s, mu)    mu: step size
#include "estimator.h"

static const AdaptiveModule kYeskel = {
    "yeskel",
    "Forgetting factor 'mu' must be a real scalar",
    "Forgetting factor 'mu' must be a non-negative scalar",
    false,
    update_lms,
};

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    adaptive_entry(kYeskel, nlhs, plhs, nrhs, prhs);
}
