// The butterfly passes of fft, compiled once per instruction set. Every variant performs the
// same operations on the same values as the plain radix-2 algorithm, only in another order and
// several lanes at a time, so all of them give the same bits.
#ifndef TOOLBOX_FFT_KERNELS_H
#define TOOLBOX_FFT_KERNELS_H

#include "fourier.h"

enum class FftIsa { generic, avx2, avx512 };

// The best variant this processor (and its operating system) can run.
FftIsa fft_best_isa();

// fft with the given variant (fft itself takes fft_best_isa()); lets tests run every variant.
void fft_with(FftIsa isa, Complex* x, int log2n, double dir);

// Transforms x[0 .. 2^log2n - 1] in place, log2n >= 3. tw[s] holds the twiddles of stage s
// (span 2^s): 2^(s-1) cosines, then as many sines. re and im are work arrays of 2^log2n doubles.
// scale: multiply the results by 1/2^log2n on the way out.
void fft_passes(FftIsa isa, Complex* x, int log2n, const double* const* tw, double* re, double* im,
                bool scale);

#endif
