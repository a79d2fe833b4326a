// The peak modules' computations written out plainly, step by step, on the literal FFT: the
// oracle the modules must match bit for bit, and the baseline their benchmark measures.
// Parameters are those after the argument checks (window truncated, nfft = 2^log2n >= window).
#ifndef TOOLBOX_PEAK_LITERAL_H
#define TOOLBOX_PEAK_LITERAL_H

#include <vector>

#include "fft_literal.h"

namespace literal {

using Signal = std::vector<Complex>;

inline int log2_ceil(long n)
{
    int k = 0;
    while ((1L << k) < n) ++k;
    return k;
}

// Analytic signal of the zero-padded sequence, cut back to its length.
inline void analyt(Signal& x)
{
    const int k = log2_ceil(static_cast<long>(x.size()));
    const long big = 1L << k, h = big / 2;
    Signal buf(static_cast<size_t>(big), Complex{0.0, 0.0});
    for (size_t i = 0; i < x.size(); ++i) buf[i] = x[i];
    fft_literal(buf.data(), k, 1);
    for (long i = h + 1; i < big; ++i) buf[i] = Complex{0.0, 0.0};
    for (long i = 1; i < h; ++i) {
        buf[i].re *= 2;
        buf[i].im *= 2;
    }
    fft_literal(buf.data(), k, -1);
    for (size_t i = 0; i < x.size(); ++i) x[i] = buf[i];
}

// im empty: a real signal, made analytic.
inline Signal load(const std::vector<double>& re, const std::vector<double>& im)
{
    Signal z(re.size());
    for (size_t i = 0; i < re.size(); ++i) z[i] = Complex{re[i], im.empty() ? 0.0 : im[i]};
    if (im.empty()) analyt(z);
    return z;
}

inline long min3(long a, long b, long c) { return a < b ? (a < c ? a : c) : (b < c ? b : c); }

inline long peak(const std::vector<double>& v)
{
    long best = 0;
    for (long k = 1; k < static_cast<long>(v.size()); ++k)
        if (v[k] > v[best]) best = k;
    return best;
}

inline long count_of(long n, long t) { return (n + t - 1) / t; }

// Lag products of instant t (second or fourth order) into buf; the first instant of a pair is
// written, the second added times i.
inline void lags(Signal& buf, const Signal& z, long t, long m, bool fourth, bool second_of_pair)
{
    const long q = static_cast<long>(buf.size()), len = static_cast<long>(z.size());
    const long l = min3(m, t, len - 1 - t);
    for (long j = 0; j <= l; ++j) {
        const double a = z[t + j].re, b = z[t + j].im, c = z[t - j].re, d = z[t - j].im;
        double kr, ki;
        if (fourth) {
            const double p = a * a - b * b, qq = 2 * a * b, r = c * c - d * d, s = -2 * c * d;
            kr = p * r - qq * s;
            ki = p * s + qq * r;
        } else {
            kr = a * c + b * d;
            ki = b * c - a * d;
        }
        if (!second_of_pair) {
            buf[j] = Complex{kr, ki};
            if (j >= 1) buf[q - j] = Complex{kr, -ki};
        } else {
            buf[j].re -= ki;
            buf[j].im += kr;
            if (j >= 1) {
                buf[q - j].re += ki;
                buf[q - j].im += kr;
            }
        }
    }
}

inline std::vector<double> tarsel(const std::vector<double>& re, const std::vector<double>& im, int w,
                                  int t, int log2n)
{
    const Signal z = load(re, im);
    const long n = static_cast<long>(z.size()), h = count_of(n, t), nfft = 1L << log2n;
    std::vector<double> out(static_cast<size_t>(h));
    Signal buf(static_cast<size_t>(nfft));
    for (long i = 0; i < h; i += 2) {
        buf.assign(buf.size(), Complex{0.0, 0.0});
        lags(buf, z, i * t, w / 2, false, false);
        if (i + 1 < h) lags(buf, z, (i + 1) * t, w / 2, false, true);
        fft_literal(buf.data(), log2n, 1);
        std::vector<double> part(static_cast<size_t>(nfft));
        for (long k = 0; k < nfft; ++k) part[k] = buf[k].re;
        out[i] = static_cast<double>(peak(part)) / (2.0 * static_cast<double>(nfft));
        if (i + 1 < h) {
            for (long k = 0; k < nfft; ++k) part[k] = buf[k].im;
            out[i + 1] = static_cast<double>(peak(part)) / (2.0 * static_cast<double>(nfft));
        }
    }
    return out;
}

inline std::vector<double> hovat(const std::vector<double>& re, const std::vector<double>& im, int w,
                                 int t, int log2n)
{
    const Signal z = load(re, im);
    const long n = static_cast<long>(z.size()), h = count_of(n, t), nfft = 1L << log2n, m = w / 2;
    std::vector<double> out(static_cast<size_t>(h));
    for (long i = 0; i < h; ++i) {
        const long at = (i + 1) * t;
        long half = m < at ? m : at;
        if (at >= n - half) half = n - at;
        Signal buf(static_cast<size_t>(nfft), Complex{0.0, 0.0});
        for (long k = 0; k < 2 * half; ++k) buf[k] = z[at - half + k];
        fft_literal(buf.data(), log2n, 1);
        std::vector<double> power(static_cast<size_t>(nfft));
        for (long k = 0; k < nfft; ++k) power[k] = buf[k].re * buf[k].re + buf[k].im * buf[k].im;
        out[i] = static_cast<double>(peak(power)) / static_cast<double>(nfft);
    }
    return out;
}

// Column-major 2*nfft-by-ceil(n/t) matrix.
inline std::vector<double> gindle4(const std::vector<double>& re, const std::vector<double>& im, int w,
                                   int t, int log2n)
{
    const Signal z = load(re, im);
    const long n = static_cast<long>(z.size()), h = count_of(n, t), q = 2L << log2n;
    // Twofold interpolation: the upper half of the e-point spectrum, bin e/2 included, moves to
    // the top of a 2e-point spectrum.
    const int le = log2_ceil(n);
    const long e = 1L << le;
    Signal y(static_cast<size_t>(2 * e), Complex{0.0, 0.0});
    for (long i = 0; i < n; ++i) y[i] = z[i];
    fft_literal(y.data(), le, 1);
    for (long k = e / 2; k < e; ++k) {
        y[e + k] = y[k];
        y[k] = Complex{0.0, 0.0};
    }
    fft_literal(y.data(), le + 1, -1);
    y.resize(static_cast<size_t>(2 * n));
    std::vector<double> out(static_cast<size_t>(q * h));
    Signal buf(static_cast<size_t>(q));
    for (long i = 0; i < h; i += 2) {
        buf.assign(buf.size(), Complex{0.0, 0.0});
        lags(buf, y, 2 * i * t, w / 2, true, false);
        if (i + 1 < h) lags(buf, y, 2 * (i + 1) * t, w / 2, true, true);
        fft_literal(buf.data(), log2n + 1, 1);
        for (long k = 0; k < q; ++k) out[i * q + k] = 16 * buf[k].re;
        if (i + 1 < h)
            for (long k = 0; k < q; ++k) out[(i + 1) * q + k] = 16 * buf[k].im;
    }
    return out;
}

}  // namespace literal

#endif
