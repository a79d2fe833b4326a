// The pseudo Wigner-Ville peak estimator behind tarsel.
#ifndef TOOLBOX_TARSEL_H
#define TOOLBOX_TARSEL_H

// out[i] = IF estimate at sample i*t, i = 0 .. h-1, from the peak of the distribution slice over
// lags up to w/2, transformed in nfft = 2^p points. im is null for a real signal. Returns 0, or 1
// when a working array cannot be had (reported; out keeps its zeros).
int tarsel_estimate(const double* re, const double* im, int n, double* out, int h, int t, int w,
                    int nfft, int p);

#endif
