// Band-limited interpolation of a sequence through the FFT.
#ifndef TOOLBOX_FFT_INTERPOLATE_H
#define TOOLBOX_FFT_INTERPOLATE_H

#include "fourier.h"

// buf holds e = 2^log2len values, of which the first count are meaningful, and has room for p*e,
// p the smallest power of two not below factor. On return buf[0 .. p*e-1] is the sequence at p
// times its rate and 1/p of its amplitude, and log2len is log2(p*e).
void fft_interpolate(int e, int count, Complex* buf, int factor, int& log2len);

#endif
