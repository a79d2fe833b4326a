// nupe: instantaneous frequency at every sample by a recursive-least-squares linear predictor.
//   f = nupe(s, alpha)    alpha: forgetting factor, held in single precision
#include "estimator.h"

static const AdaptiveModule kNupe = {
    "nupe",
    "Forgetting factor 'alpha' must be a real scalar",
    "Forgetting factor 'alpha' must be a non-negative scalar",
    true,
    update_rls,
};

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    adaptive_entry(kNupe, nlhs, plhs, nrhs, prhs);
}
