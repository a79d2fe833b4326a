#include "fft_interpolate.h"

void fft_interpolate(int e, int count, Complex* buf, int factor, int& log2len)
{
    long p = 1;
    int c = 0;
    while (p < factor) {
        p *= 2;
        ++c;
    }
    for (long i = count; i < p * e; ++i) buf[i] = Complex{0.0, 0.0};
    fft(buf, log2len, 1);
    // The upper half of the spectrum (negative frequencies, and the bin e/2) moves to the top of
    // the longer spectrum; the new bins between stay empty.
    for (long k = e / 2; k < e; ++k) {
        buf[(p - 1) * e + k] = buf[k];
        buf[k] = Complex{0.0, 0.0};
    }
    log2len += c;
    fft(buf, log2len, -1);
}
