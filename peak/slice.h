// Pieces shared by the slice-by-slice computations of the peak modules: loading the signal,
// packing the lag products of two instants into one transform, and finding a slice's peak.
#ifndef TOOLBOX_PEAK_SLICE_H
#define TOOLBOX_PEAK_SLICE_H

#include <cstring>

#include "fourier.h"

// z[0 .. n-1] = the signal: a real one (im null) made analytic, a complex one taken as it is.
void load_signal(Complex* z, const double* re, const double* im, int n);

// count zero-filled Complex values from the client's allocator; when they cannot be had, msg is
// reported under routine and the result is null.
Complex* working_array(long count, const char* routine, const char* msg);

// Four doubles at a time; lane i does exactly the operations of the scalar code on element i.
// The lanes only ever live inside inlined code, so the warning about their calling convention
// does not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
typedef double PeakLanes __attribute__((vector_size(32)));
typedef long PeakIndexLanes __attribute__((vector_size(32)));

static inline __attribute__((always_inline)) PeakLanes load_lanes(const double* p)
{
    PeakLanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

static inline __attribute__((always_inline)) void store_lanes(double* p, const PeakLanes& v)
{
    std::memcpy(p, &v, sizeof v);
}

// Lag product of the second order, z(t+j) conj(z(t-j)); apply serves single values and lanes alike.
struct SecondOrder {
    template <class T>
    static inline __attribute__((always_inline)) void apply(const T& pr, const T& pi, const T& mr, const T& mi, T& re, T& im)
    {
        re = pr * mr + pi * mi;
        im = pi * mr - pr * mi;
    }
    Complex operator()(Complex p, Complex m) const
    {
        Complex c;
        apply(p.re, p.im, m.re, m.im, c.re, c.im);
        return c;
    }
};

// Lag product of the fourth order, z(t+j)^2 conj(z(t-j))^2.
struct FourthOrder {
    template <class T>
    static inline __attribute__((always_inline)) void apply(const T& a, const T& b, const T& c, const T& d, T& re, T& im)
    {
        const T pp = a * a - b * b, q = 2.0 * a * b, r = c * c - d * d, s = -2.0 * c * d;
        re = pp * r - q * s;
        im = pp * s + q * r;
    }
    Complex operator()(Complex p, Complex m) const
    {
        Complex c;
        apply(p.re, p.im, m.re, m.im, c.re, c.im);
        return c;
    }
};

// The products of instant t for lags j .. j+3, as real and imaginary lanes.
template <class Product>
static inline __attribute__((always_inline)) void lag_lanes(const Complex* z, long t, long j, PeakLanes& re,
                                                            PeakLanes& im)
{
    const PeakLanes p0 = load_lanes(&z[t + j].re), p1 = load_lanes(&z[t + j + 2].re);
    const PeakLanes m0 = load_lanes(&z[t - j - 3].re), m1 = load_lanes(&z[t - j - 1].re);
    Product::apply(__builtin_shufflevector(p0, p1, 0, 2, 4, 6), __builtin_shufflevector(p0, p1, 1, 3, 5, 7),
                   __builtin_shufflevector(m1, m0, 2, 0, 6, 4), __builtin_shufflevector(m1, m0, 3, 1, 7, 5), re, im);
}

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
template <bool Wide, class Product>
inline __attribute__((always_inline)) void pair_lags_body(Complex* buf, long q, const Complex* z, long len, long reach,
                                                          long ta, long tb, Product product)
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
    long j = 1;
    // Four lags at a time while the slots j .. j+3 and q-j-3 .. q-j stay apart.
    if constexpr (Wide) {
        for (; j + 3 <= end_both && 2 * (j + 3) < q; j += 4) {
            PeakLanes ar, ai, br, bi;
            lag_lanes<Product>(z, ta, j, ar, ai);
            lag_lanes<Product>(z, tb, j, br, bi);
            const PeakLanes lo_re = ar - bi, lo_im = ai + br, hi_re = ar + bi, hi_im = -ai + br;
            store_lanes(&buf[j].re, __builtin_shufflevector(lo_re, lo_im, 0, 4, 1, 5));
            store_lanes(&buf[j + 2].re, __builtin_shufflevector(lo_re, lo_im, 2, 6, 3, 7));
            store_lanes(&buf[q - j - 3].re, __builtin_shufflevector(hi_re, hi_im, 3, 7, 2, 6));
            store_lanes(&buf[q - j - 1].re, __builtin_shufflevector(hi_re, hi_im, 1, 5, 0, 4));
        }
    }
    for (; j <= end_both; ++j) {
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

// Whether the processor runs the four-lane code (AVX2): it is slower than the scalar code when
// the lanes have to be emulated.
inline bool peak_wide()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool wide = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return wide;
#else
    return false;
#endif
}

#if defined(__x86_64__) || defined(__i386__)
template <class Product>
__attribute__((target("avx2"))) void pair_lags_wide(Complex* buf, long q, const Complex* z, long len, long reach,
                                                    long ta, long tb, Product product)
{
    pair_lags_body<true>(buf, q, z, len, reach, ta, tb, product);
}
#endif

template <class Product>
void pair_lags(Complex* buf, long q, const Complex* z, long len, long reach, long ta, long tb, Product product)
{
#if defined(__x86_64__) || defined(__i386__)
    if (peak_wide()) return pair_lags_wide(buf, q, z, len, reach, ta, tb, product);
#endif
    pair_lags_body<false>(buf, q, z, len, reach, ta, tb, product);
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

#if defined(__x86_64__) || defined(__i386__)
// peak_pair in one pass over buf: lane pairs hold (re, im) of neighbouring slots, four vectors of
// them side by side so that the comparisons do not wait on each other; every lane keeps its own
// best by the peak_index rule, and the lanes are merged as there.
__attribute__((target("avx2"))) inline void peak_pair_wide(const Complex* buf, long n, long* re_peak, long* im_peak)
{
    const PeakLanes first = {buf[0].re, buf[0].im, buf[0].re, buf[0].im};
    PeakLanes t0 = first, t1 = first, t2 = first, t3 = first;
    PeakIndexLanes i0 = {0, 0, 0, 0}, i1 = i0, i2 = i0, i3 = i0, k0 = {0, 0, 1, 1};
    auto take = [](const PeakLanes& v, const PeakIndexLanes& k, PeakLanes& t, PeakIndexLanes& i) {
        const PeakIndexLanes greater = v > t;
        t = greater ? v : t;
        i = greater ? k : i;
    };
    long k = 0;
    for (; k + 8 <= n; k += 8) {
        take(load_lanes(&buf[k].re), k0, t0, i0);
        take(load_lanes(&buf[k + 2].re), k0 + 2, t1, i1);
        take(load_lanes(&buf[k + 4].re), k0 + 4, t2, i2);
        take(load_lanes(&buf[k + 6].re), k0 + 6, t3, i3);
        k0 += 8;
    }
    double tr = buf[0].re, ti = buf[0].im;
    long ir = 0, ii = 0;
    for (; k < n; ++k) {
        if (buf[k].re > tr) {
            tr = buf[k].re;
            ir = k;
        }
        if (buf[k].im > ti) {
            ti = buf[k].im;
            ii = k;
        }
    }
    auto merge = [](double& t, long& i, double tb, long ib) {
        if (tb > t || (tb == t && ib < i)) {
            t = tb;
            i = ib;
        }
    };
    const PeakLanes* const bests[4] = {&t0, &t1, &t2, &t3};
    const PeakIndexLanes* const ats[4] = {&i0, &i1, &i2, &i3};
    for (int v = 0; v < 4; ++v) {
        for (int lane = 0; lane < 4; lane += 2) {
            merge(tr, ir, (*bests[v])[lane], (*ats[v])[lane]);
            merge(ti, ii, (*bests[v])[lane + 1], (*ats[v])[lane + 1]);
        }
    }
    *re_peak = ir;
    *im_peak = ii;
}
#endif

// peak_index of the real parts of buf[0 .. n-1] into *re_peak and of the imaginary parts into
// *im_peak.
inline void peak_pair(const Complex* buf, long n, long* re_peak, long* im_peak)
{
#if defined(__x86_64__) || defined(__i386__)
    if (peak_wide()) return peak_pair_wide(buf, n, re_peak, im_peak);
#endif
    *re_peak = peak_index(n, [buf](long k) { return buf[k].re; });
    *im_peak = peak_index(n, [buf](long k) { return buf[k].im; });
}

#pragma GCC diagnostic pop

#endif
