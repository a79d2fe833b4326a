// Analytic signal through two FFTs of the zero-padded sequence.
#include "analyt.h"

#include <cstddef>

#include "frame.h"

void analyt(Complex* x, unsigned n)
{
    size_t big = 1;
    int k = 0;
    while (big < n) {
        big *= 2;
        ++k;
    }
    Complex* buf = static_cast<Complex*>(mxCalloc(big, sizeof(Complex)));
    if (!buf) {
        mex_error("analyt", "Memory allocation failed: Y");
        return;
    }
    for (unsigned i = 0; i < n; ++i) buf[i] = x[i];
    fft(buf, k, 1);
    const size_t h = big / 2;
    for (size_t i = h + 1; i < big; ++i) buf[i] = Complex{0.0, 0.0};
    for (size_t i = 1; i < h; ++i) {
        buf[i].re *= 2;
        buf[i].im *= 2;
    }
    fft(buf, k, -1);
    for (unsigned i = 0; i < n; ++i) x[i] = buf[i];
    // buf stays allocated: the client reclaims it when the call returns.
}
