// The FFT exactly as its algorithm is written: one twiddle computed per butterfly, no tables.
// The oracle the production fft must match bit for bit, and the baseline benchmarks measure.
#ifndef TOOLBOX_FFT_LITERAL_H
#define TOOLBOX_FFT_LITERAL_H

#include "fourier.h"

void fft_literal(Complex* x, int log2n, double dir);

#endif
