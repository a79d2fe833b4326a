// Two instants per transform: the slice at the even instant comes out in the real part, the
// slice at the following one in the imaginary part.
#include "tarsel.h"

#include "frame.h"
#include "slice.h"

int tarsel_estimate(const double* re, const double* im, int n, double* out, int h, int t, int w,
                    int nfft, int p)
{
    Complex* z = working_array(n, "tarsel", "Memory allocation\tfailed");
    if (!z) return 1;
    Complex* buf = working_array(nfft, "tarsel", "Memory allocation\tfailed");
    if (!buf) return 1;
    load_signal(z, re, im, n);
    const long reach = w / 2;
    // Lag j spans 2j samples, so bin k of a slice is the frequency k / (2 nfft).
    const double bins = 2.0 * nfft;
    for (long i = 0; i < h; i += 2) {
        const bool pair = i + 1 < h;
        pair_lags(buf, nfft, z, n, reach, i * t, pair ? (i + 1) * t : -1, SecondOrder());
        fft(buf, p, 1);
        long re_peak, im_peak;
        peak_pair(buf, nfft, &re_peak, &im_peak);
        out[i] = static_cast<double>(re_peak) / bins;
        if (pair) out[i + 1] = static_cast<double>(im_peak) / bins;
    }
    return 0;
}
