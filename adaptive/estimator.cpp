// Entry checks and the estimator loop shared by nupe and yeskel.
#include "estimator.h"

#include <cmath>

#include "analyt.h"
#include "frame.h"

// The tabs are part of the text.
static const char* const kSignalFailure = "Internal\tmemory failure:\tsig";

void adaptive_entry(const AdaptiveModule& mod, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    if (nrhs > 2) return report_error(mod.name, "Too many input arguments", nlhs, plhs);
    if (nrhs < 2) return report_error(mod.name, "Not enough input arguments", nlhs, plhs);
    const int L = signal_length(prhs[0]);
    if (L == 0) return report_error(mod.name, "Input must be a vector", nlhs, plhs);
    if (!is_scalar(prhs[1])) return report_error(mod.name, mod.not_scalar, nlhs, plhs);
    double param = param_double(prhs[1]);
    // Rounded before the test, so a tiny negative alpha becomes -0 and passes.
    if (mod.single_param) param = static_cast<double>(static_cast<float>(param));
    if (param < 0) return report_error(mod.name, mod.negative, nlhs, plhs);  // NaN passes
    if (nlhs > 1) return report_error(mod.name, "Too many output arguments", nlhs, plhs);

    // The output goes to slot 0 even when no output was requested.
    plhs[0] = mxCreateDoubleMatrix(static_cast<mwSize>(L), 1, mxREAL);
    if (!plhs[0]) return report_error(mod.name, "Internal memory allocation failure", nlhs, plhs);
    const double *re, *im;
    if (read_doubles(prhs[0], &re, &im) != 0) {
        // Converting a single or integer signal is part of getting it into working memory.
        mex_error(mod.name, kSignalFailure);
        return;
    }
    adaptive_estimate(mod, re, im, L, mxGetPr(plhs[0]), param);
}

int adaptive_estimate(const AdaptiveModule& mod, const double* re, const double* im, int L, double* out,
                      double param)
{
    Complex* z = static_cast<Complex*>(mxCalloc(static_cast<mwSize>(L), sizeof(Complex)));
    if (!z) {
        mex_error(mod.name, kSignalFailure);
        return 1;
    }
    if (im) {
        pack_complex(z, re, im, L);  // complex input is taken as analytic already
    } else {
        real_to_complex(z, re, L);   // imaginary parts stay the zeros of mxCalloc
        analyt(z, static_cast<unsigned>(L));
    }

    const double pi = 3.141592653589793, two_pi = 6.283185307179586;
    const double g = param + param;
    Complex w = z[0];  // the first sample, not zero
    double P = 1.0;
    for (int i = 1; i < L; ++i) {
        const Complex x = z[i - 1], y = z[i];
        // Prediction error with the weight from before this step; the model is y ~ -w x.
        const Complex e = {(x.re * w.re - x.im * w.im) + y.re, (x.im * w.re + x.re * w.im) + y.im};
        if (mod.update == update_rls) {
            P = 1.0 / (x.im * x.im + (x.re * x.re + param / P));
            w.re = w.re - (P * x.im * e.im + x.re * P * e.re);
            w.im = w.im - (e.im * x.re * P - e.re * P * x.im);
        } else {
            w.re = w.re - (x.im * e.im + x.re * e.re) * g;
            w.im = w.im - g * (e.im * x.re - e.re * x.im);
        }
        // The one-argument arctangent folds the weight's phase into half a turn.
        double theta = std::atan(w.im / w.re);
        if (theta < 0) theta += pi;
        out[i] = theta / two_pi;
    }
    mxFree(z);
    return 0;
}
