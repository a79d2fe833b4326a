// The compact-kernel distribution of a real signal, computed through the client's own "fft" and
// "ifft".
#ifndef TOOLBOX_HALVOR_DISTRIBUTION_H
#define TOOLBOX_HALVOR_DISTRIBUTION_H

// Writes the P-by-N distribution of x[0 .. N-1] (P the smallest power of two not below N) into
// out in column order, row f = frequency f/(2P), column n = time. kernel[j][k] weights lag bin j,
// Doppler bin k. Returns 0, or 1 after a failure it has reported (out is then incomplete).
int kernel_distribution(const double* x, int N, int P, const double* const* kernel, double* out);

// The analytic signal of x zero-padded to 2N samples, into zr and zi (2N values each).
// Returns 0, or 1 after a failure it has reported.
int matlab_analytic_signal(const double* x, double* zr, double* zi, int N);

#endif
