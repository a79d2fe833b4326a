// The ambiguity function: for each computed lag m, the spectrum over time of z(i+m)·conj(z(i-m))
// and of its conjugate, half-swapped so that Doppler bin 0 sits in column P/2.
#include "ambiguity.h"

#include <algorithm>
#include <cstddef>

#include "analyt.h"
#include "frame.h"

static const char* const kName = "Amb";

// The lag products of lag m at every time of a P-point array, zero where i+m or i-m leaves the
// signal and beyond N; neg receives their conjugates.
static void lag_products(const Complex* z, long N, long P, long m, Complex* pos, Complex* neg)
{
    for (long i = 0; i < P; ++i) {
        if (i - m >= 0 && i + m < N) {
            const Complex a = z[i + m], b = z[i - m];
            pos[i] = Complex{a.im * b.im + a.re * b.re, a.im * b.re - b.im * a.re};
            neg[i] = Complex{pos[i].re, -pos[i].im};
        } else {
            pos[i] = Complex{0.0, 0.0};
            neg[i] = Complex{0.0, 0.0};
        }
    }
}

int ambiguity_function(const double* re, const double* im, int N, int P, int log2P, double* out_re,
                       double* out_im, int R, int W)
{
    Complex* z = static_cast<Complex*>(mxCalloc(static_cast<mwSize>(N), sizeof(Complex)));
    if (!z) {
        mex_error(kName, "Memory allocation failed");
        return 1;
    }
    if (im) {
        pack_complex(z, re, im, N);  // complex input is used as it is, even with zero imaginary parts
    } else {
        real_to_complex(z, re, N);
        analyt(z, static_cast<unsigned>(N));
    }
    // The centre row is (W+1)/2 and lags stop below (W-1)/2, so rows 0 and 1 (and row W-1 for
    // even W) are never written. Long arithmetic: W may be as large as an int holds.
    const long H = (static_cast<long>(W) - 1) / 2, B = (static_cast<long>(W) + 1) / 2;
    const long lags = H > 0 ? (H - 1) / R + 1 : 0;

    // The spectra of a batch of lags are kept and then written column by column: the output is
    // stored by columns of W rows, so writing two rows per lag would touch a cache line per
    // element. A batch fits in about 2 MB; long signals get one lag at a time. The arrays are
    // spaced a little more than a power of two apart so that reading them side by side does
    // not keep evicting one another from the cache. Working memory is left for the client to
    // reclaim when the call ends.
    const size_t gap = 4, spectra = static_cast<size_t>(P) * 2 + 2 * gap;
    const long fits = static_cast<long>((size_t(1) << 21) / (spectra * sizeof(Complex)));
    const long batch = std::max(1L, std::min({16L, fits, lags}));
    Complex* work = static_cast<Complex*>(mxCalloc(static_cast<mwSize>(batch) * spectra, sizeof(Complex)));
    if (!work) {
        mex_error(kName, "Memory allocation failed");
        return 1;
    }

    const size_t rows = static_cast<size_t>(W), mask = static_cast<size_t>(P) - 1, half = static_cast<size_t>(P) / 2;
    for (long first = 0; first < H; first += batch * R) {
        long count = 0;
        for (long m = first; m < H && count < batch; m += R, ++count) {
            Complex* pos = work + static_cast<size_t>(count) * spectra;
            Complex* neg = pos + P + gap;
            lag_products(z, N, P, m, pos, neg);
            fft(pos, log2P, 1);
            fft(neg, log2P, 1);
        }
        // Row B-m takes the conjugate products' spectrum, row B+m the products'; at m = 0 both
        // name row B, which keeps the latter. Columns are half-swapped (P is a power of two).
        for (size_t c = 0; c < static_cast<size_t>(P); ++c) {
            const size_t k = (c + half) & mask;
            double* col_re = out_re + c * rows;
            double* col_im = out_im + c * rows;
            for (long j = 0; j < count; ++j) {
                const long m = first + j * R;
                const Complex* pos = work + static_cast<size_t>(j) * spectra;
                const Complex* neg = pos + P + gap;
                col_re[B - m] = neg[k].re;
                col_im[B - m] = neg[k].im;
                col_re[B + m] = pos[k].re;
                col_im[B + m] = pos[k].im;
            }
        }
    }
    return 0;
}
