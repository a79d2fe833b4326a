// Pieces shared by the slice-by-slice computations of the peak modules: loading the signal,
// packing the lag products of two instants into one transform, and finding a slice's peak.
#ifndef TOOLBOX_PEAK_SLICE_H
#define TOOLBOX_PEAK_SLICE_H

#include <cstring>

#include "fourier.h"

// z[0 .. n-1] = the signal: a real one (im null) made analytic, a complex one taken as it is.
void load_signal(Complex* z, const double* re, const double* im, int n);

// Lag product of the second order, z(t+j) conj(z(t-j)).
struct SecondOrder {
    Complex operator()(Complex p, Complex m) const
    {
        return Complex{p.re * m.re + p.im * m.im, p.im * m.re - p.re * m.im};
    }
};

// Lag product of the fourth order, z(t+j)^2 conj(z(t-j))^2.
struct FourthOrder {
    Complex operator()(Complex p, Complex m) const
    {
        const double a = p.re, b = p.im, c = m.re, d = m.im;
        const double pp = a * a - b * b, q = 2 * a * b, r = c * c - d * d, s = -2 * c * d;
        return Complex{pp * r - q * s, pp * s + q * r};
    }
};

// The largest lag at instant t of a sequence of len values: reach, or less near either end.
inline long lag_limit(long reach, long t, long len)
{
    long l = reach < t ? reach : t;
    return len - 1 - t < l ? len - 1 - t : l;
}

// Fills buf[0 .. q-1] with the lag products of instant ta of z[0 .. len-1], lags 0 to
// lag_limit(reach, ta, len), lag -j in slot q-j: a conjugate-symmetric sequence, so its transform
// is real. The products of instant tb (none when tb < 0) are then added times i, so that the
// transform holds the slice at tb in its imaginary part.
//
// Each slot gets exactly the operations of that two-step description, from a zero slot: the
// products of ta are stored, those of tb added (i*K to slot j, i*conj(K) to slot q-j); written
// slot by slot so that the buffer is touched once. When q = 2*reach, lags reach and
// -reach share slot q/2: the store of conj(K) comes last, then tb adds both of its terms there.
template <class Product>
void pair_lags(Complex* buf, long q, const Complex* z, long len, long reach, long ta, long tb, Product product)
{
    const long la = lag_limit(reach, ta, len);
    const long lb = tb < 0 ? -1 : lag_limit(reach, tb, len);
    const long top = la > lb ? la : lb, both = la < lb ? la : lb;
    const bool shared = 2 * top == q;
    const long last = shared ? top - 1 : top;  // the last lag with a slot of its own
    // Slots that no lag reaches.
    if (q - last - 1 > last) std::memset(buf + last + 1, 0, sizeof(Complex) * static_cast<size_t>(q - 2 * last - 1));

    // Lag 0, then the lags both instants reach, then those of one instant alone.
    buf[0] = product(z[ta], z[ta]);
    if (lb >= 0) {
        const Complex b = product(z[tb], z[tb]);
        buf[0].re -= b.im;
        buf[0].im += b.re;
    }
    long end_both = both < last ? both : last;
    if (end_both < 0) end_both = 0;  // tb absent
    for (long j = 1; j <= end_both; ++j) {
        const Complex a = product(z[ta + j], z[ta - j]), b = product(z[tb + j], z[tb - j]);
        buf[j] = Complex{a.re - b.im, a.im + b.re};
        buf[q - j] = Complex{a.re + b.im, -a.im + b.re};
    }
    for (long j = end_both + 1; j <= last && j <= la; ++j) {
        const Complex a = product(z[ta + j], z[ta - j]);
        buf[j] = a;
        buf[q - j] = complex_conj(a);
    }
    for (long j = end_both + 1; j <= last && j <= lb; ++j) {
        const Complex b = product(z[tb + j], z[tb - j]);
        buf[j] = Complex{0.0 - b.im, 0.0 + b.re};
        buf[q - j] = Complex{0.0 + b.im, 0.0 + b.re};
    }
    if (shared) {
        Complex mid = {0.0, 0.0};
        if (top <= la) mid = complex_conj(product(z[ta + top], z[ta - top]));
        if (top <= lb) {
            const Complex b = product(z[tb + top], z[tb - top]);
            mid.re -= b.im;
            mid.im += b.re;
            mid.re += b.im;
            mid.im += b.re;
        }
        buf[top] = mid;
    }
}

// Index of the largest value(k), k = 0 .. n-1, by the rule: start from k = 0 and let only a
// strictly greater value replace the best. Ties therefore go to the lowest index and a NaN never
// wins (a NaN at 0 keeps 0). The scan runs in four interleaved lanes, each by the same rule, so
// that it does not wait on every comparison; the lanes' bests are then merged, the larger value
// winning and equal values going to the lower index, which is the one the single scan keeps. (A
// NaN at 0 is kept by every lane, and the merge keeps it too.)
template <class Value>
long peak_index(long n, Value value)
{
    const double first = value(0);
    auto take = [](double v, long k, double& t, long& i) {
        if (v > t) {
            t = v;
            i = k;
        }
    };
    double t0 = first, t1 = first, t2 = first, t3 = first;
    long i0 = 0, i1 = 0, i2 = 0, i3 = 0, k = 1;
    for (; k + 4 <= n; k += 4) {
        take(value(k), k, t0, i0);
        take(value(k + 1), k + 1, t1, i1);
        take(value(k + 2), k + 2, t2, i2);
        take(value(k + 3), k + 3, t3, i3);
    }
    for (; k < n; ++k) take(value(k), k, t0, i0);
    auto merge = [](double& t, long& i, double tb, long ib) {
        if (tb > t || (tb == t && ib < i)) {
            t = tb;
            i = ib;
        }
    };
    merge(t0, i0, t1, i1);
    merge(t2, i2, t3, i3);
    merge(t0, i0, t2, i2);
    return i0;
}

#endif
