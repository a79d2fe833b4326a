// The adaptive IF estimators: a one-coefficient complex linear predictor whose weight phase,
// folded into [0, pi), is the frequency estimate at every sample. nupe adapts the weight by
// recursive least squares, yeskel by least mean squares; everything else is shared.
#ifndef TOOLBOX_ADAPTIVE_ESTIMATOR_H
#define TOOLBOX_ADAPTIVE_ESTIMATOR_H

#include "mex.h"

enum AdaptiveUpdate {
    update_rls,  // forgetting factor alpha, with the inverse correlation P
    update_lms   // step size mu
};

// What tells the two modules apart.
struct AdaptiveModule {
    const char* name;        // routine name of every message
    const char* not_scalar;  // the parameter fails is_scalar
    const char* negative;    // the parameter is below zero
    bool single_param;       // the parameter is held in single precision
    AdaptiveUpdate update;
};

// The whole entry point: checks in order, the L-by-1 output, the estimator.
void adaptive_entry(const AdaptiveModule& mod, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

// Writes out[1 .. L-1] (out[0] is left alone) from the signal blocks re and im (im null for a
// real signal, which is made analytic first). Returns 0, or 1 after reporting that the working
// sequence could not be had.
int adaptive_estimate(const AdaptiveModule& mod, const double* re, const double* im, int L, double* out,
                      double param);

#endif
