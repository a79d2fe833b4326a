// The ambiguity function: lag rows by Doppler columns.
#ifndef TOOLBOX_DELFO_AMBIGUITY_H
#define TOOLBOX_DELFO_AMBIGUITY_H

// Fills the W-by-P complex output blocks (column order, created zero) from the N-sample signal
// (im null for a real signal, which is made analytic first). Lags m = 0, R, 2R, ... below
// (W-1)/2 go to rows (W+1)/2 - m and (W+1)/2 + m; columns are Doppler bins from -P/2.
// Returns 0, or 1 after reporting that working memory could not be had.
int ambiguity_function(const double* re, const double* im, int N, int P, int log2P, double* out_re,
                       double* out_im, int R, int W);

#endif
