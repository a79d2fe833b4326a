#include "fft_literal.h"

#include <cmath>
#include <cstdlib>

void fft_literal(Complex* x, int log2n, double dir)
{
    const long n = static_cast<long>(std::pow(2.0, log2n) + 0.5);
    Complex* work = static_cast<Complex*>(std::malloc(sizeof(Complex) * static_cast<size_t>(n)));
    if (!work) return;
    for (long k = 0; k < n; ++k) {
        long r = 0;
        for (int b = 0; b < log2n; ++b)
            if (k & (1L << b)) r |= 1L << (log2n - 1 - b);
        work[k] = x[r];
    }
    const double dc = dir * kTwoPiC;
    for (int s = 1; s <= log2n; ++s) {
        const long m = 1L << s, h = m / 2;
        for (long g = 0; g < n; g += m) {
            for (long j = 0; j < h; ++j) {
                const double theta = static_cast<double>(static_cast<float>(-(static_cast<double>(j) * dc))) /
                                     static_cast<double>(m);
                const Complex w = complex_make(std::cos(theta), std::sin(theta));
                const Complex t = complex_mul(w, work[g + j + h]);
                const Complex u = work[g + j];
                work[g + j] = complex_add(u, t);
                work[g + j + h] = complex_sub(u, t);
            }
        }
    }
    if (dir == 1.0) {
        for (long k = 0; k < n; ++k) x[k] = work[k];
    } else {
        const double inv = 1.0 / static_cast<double>(n);
        for (long k = 0; k < n; ++k) x[k] = complex_scale(work[k], inv);
    }
    std::free(work);
}
