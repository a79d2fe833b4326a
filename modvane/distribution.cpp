// modvane_distribution: the analytic signal over NFFT points, its spectrum (the whole-signal
// transform, or the short-time spectrum of spec when smoothing), and the product
// z(t) * conj(S(k, t)) * exp(-j*theta) for every kept bin and time.
#include "distribution.h"

#include <cmath>
#include <cstring>

#include "analyt.h"
#include "frame.h"
#include "spec.h"

static const char* const kName = "modvane";
static const double kTwoPi = 6.283185307179586;

// One sine and one cosine per element, no table: the bits of every element depend on it.
// spectrum(k, c) gives S(k, c).
template <typename Spectrum>
static void write_distribution(const Complex* X, double* out_re, double* out_im, int C, int T, int NFFT,
                               Spectrum spectrum)
{
    const size_t R = static_cast<size_t>(NFFT / 2) + 1;
    const double n = NFFT;
    long t = 0;
    for (int c = 0; c < C; ++c, t += T) {
        const double two_pi_t = kTwoPi * static_cast<double>(t);  // formed once per column
        const Complex z = X[t];
        double* col_re = out_re + static_cast<size_t>(c) * R;
        double* col_im = out_im ? out_im + static_cast<size_t>(c) * R : nullptr;
        for (size_t k = 0; k < R; ++k) {
            const double theta = (static_cast<double>(k) * two_pi_t) / n;
            const Complex e = complex_make(std::cos(theta), -std::sin(theta));
            const Complex q = complex_mul(z, complex_conj(spectrum(k, c)));
            const Complex d = complex_mul(q, e);
            col_re[k] = d.re;
            if (col_im) col_im[k] = d.im;
        }
    }
}

int modvane_distribution(const double* re, const double* im, int N, double* out_re, double* out_im,
                         int C, int T, int NFFT, int P, int W, int wtype)
{
    const bool smoothed = W >= 1;
    Complex* X = static_cast<Complex*>(mxCalloc(static_cast<mwSize>(NFFT), sizeof(Complex)));
    if (!X) {
        mex_error(kName, "Memory allocation failed");
        return 1;
    }
    // The whole-signal spectrum is needed only without smoothing.
    Complex* Y = nullptr;
    if (!smoothed) {
        Y = static_cast<Complex*>(mxCalloc(static_cast<mwSize>(NFFT), sizeof(Complex)));
        if (!Y) {
            mex_error(kName, "Memory allocation failed");
            return 1;
        }
    }

    // A real signal becomes analytic over all NFFT points, its zero padding included.
    const int M = NFFT < N ? NFFT : N;
    if (im) {
        for (int i = 0; i < M; ++i) X[i] = complex_make(re[i], im[i]);
    } else {
        for (int i = 0; i < M; ++i) X[i] = complex_make(re[i], 0.0);
        analyt(X, static_cast<unsigned>(NFFT));
    }

    if (!smoothed) {
        std::memcpy(Y, X, static_cast<size_t>(NFFT) * sizeof(Complex));
        fft(Y, P, 1);
        write_distribution(X, out_re, out_im, C, T, NFFT, [Y](size_t k, int) { return Y[k]; });
        mxFree(Y);
    } else {
        ShortTimeSpectrum S;
        if (spec(X, NFFT, C, T, W, wtype, &S) == 0) {
            const size_t n = static_cast<size_t>(NFFT);
            write_distribution(X, out_re, out_im, C, T, NFFT, [&S, n](size_t k, int c) {
                const size_t i = static_cast<size_t>(c) * n + k;
                return complex_make(S.re[i], S.im ? S.im[i] : 0.0);
            });
            mxDestroyArray(S.matrix);
        } else {
            // spec has reported; the distribution is then formed with S = 0.
            write_distribution(X, out_re, out_im, C, T, NFFT, [](size_t, int) { return complex_make(0.0, 0.0); });
        }
    }
    mxFree(X);
    return 0;
}
