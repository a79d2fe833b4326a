// Butterfly passes of fft on split real/imaginary work arrays, several lanes at a time.
//
// Every butterfly is t = w*x (complex_mul), u + t (complex_add), u - t (complex_sub) with the
// operands in the same order as the scalar algorithm; only the order in which independent
// butterflies run changes: stages 1-3 in registers straight after the bit-reversed gather, then
// pairs of stages fused, depth first over blocks that stay in the first-level cache. The same
// source is compiled with two lanes for plain x86-64 and with four and eight for AVX2 and
// AVX-512, picked at run time; nothing is ever fused into a multiply-add.
#include "fft_kernels.h"

#include <cstring>

#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

typedef long long Index;
typedef double v2 __attribute__((vector_size(16)));
typedef double v4 __attribute__((vector_size(32)));
typedef double v8 __attribute__((vector_size(64)));

template <typename V>
constexpr Index kLanes = sizeof(V) / sizeof(double);

#define KERNEL static inline __attribute__((always_inline))

template <typename V>
KERNEL V load(const double* p)
{
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename V>
KERNEL void store(double* p, V v)
{
    std::memcpy(p, &v, sizeof v);
}

// u, x <- u + w*x, u - w*x on every lane.
template <typename V>
KERNEL void butterfly(V& ur, V& ui, V& xr, V& xi, V wr, V wi)
{
    const V tr = wr * xr - wi * xi;
    const V ti = wi * xr + wr * xi;
    xr = ur - tr;
    xi = ui - ti;
    ur = tr + ur;
    ui = ti + ui;
}

// The bit-reversed copy of x into re/im runs together with stages 1-3, eight points at a time.
// Block b (points 8b .. 8b+7) takes point e from x[c + rev3(e)*q], q = n/8 and c the bit
// reversal of b: walking c in order reads eight sequential streams and writes whole cache lines.
KERNEL void next_reversed(Index& b, Index q)
{
    Index bit = q >> 1;
    while (b & bit) {
        b ^= bit;
        bit >>= 1;
    }
    b |= bit;
}

// Two lanes: points (0,2),(4,6) against (1,3),(5,7); then (0,1),(4,5) against (2,3),(6,7); then
// (0,1),(2,3) against (4,5),(6,7).
KERNEL void gather_first_three_v2(const Complex* x, int log2n, const double* const* tw, double* re,
                                  double* im)
{
    const Index q = 1LL << (log2n - 3);
    const v2 w1r = {tw[1][0], tw[1][0]}, w1i = {tw[1][1], tw[1][1]};
    const v2 w2r = load<v2>(tw[2]), w2i = load<v2>(tw[2] + 2);
    const v2 w3r0 = load<v2>(tw[3]), w3r1 = load<v2>(tw[3] + 2);
    const v2 w3i0 = load<v2>(tw[3] + 4), w3i1 = load<v2>(tw[3] + 6);
    Index b = 0;
    for (Index c = 0; c < q; ++c) {
        v2 p[8];  // p[k] = x[c + k*q]: point e is p[rev3(e)], rev3 = 0,4,2,6,1,5,3,7
        for (int k = 0; k < 8; ++k) p[k] = load<v2>(&x[c + k * q].re);
        v2 uar = __builtin_shufflevector(p[0], p[2], 0, 2), uai = __builtin_shufflevector(p[0], p[2], 1, 3);
        v2 ubr = __builtin_shufflevector(p[1], p[3], 0, 2), ubi = __builtin_shufflevector(p[1], p[3], 1, 3);
        v2 xar = __builtin_shufflevector(p[4], p[6], 0, 2), xai = __builtin_shufflevector(p[4], p[6], 1, 3);
        v2 xbr = __builtin_shufflevector(p[5], p[7], 0, 2), xbi = __builtin_shufflevector(p[5], p[7], 1, 3);
        butterfly(uar, uai, xar, xai, w1r, w1i);
        butterfly(ubr, ubi, xbr, xbi, w1r, w1i);
        v2 e01r = __builtin_shufflevector(uar, xar, 0, 2), e01i = __builtin_shufflevector(uai, xai, 0, 2);
        v2 e23r = __builtin_shufflevector(uar, xar, 1, 3), e23i = __builtin_shufflevector(uai, xai, 1, 3);
        v2 e45r = __builtin_shufflevector(ubr, xbr, 0, 2), e45i = __builtin_shufflevector(ubi, xbi, 0, 2);
        v2 e67r = __builtin_shufflevector(ubr, xbr, 1, 3), e67i = __builtin_shufflevector(ubi, xbi, 1, 3);
        butterfly(e01r, e01i, e23r, e23i, w2r, w2i);
        butterfly(e45r, e45i, e67r, e67i, w2r, w2i);
        butterfly(e01r, e01i, e45r, e45i, w3r0, w3i0);
        butterfly(e23r, e23i, e67r, e67i, w3r1, w3i1);
        double *r = re + 8 * b, *i = im + 8 * b;
        store(r, e01r);
        store(r + 2, e23r);
        store(r + 4, e45r);
        store(r + 6, e67r);
        store(i, e01i);
        store(i + 2, e23i);
        store(i + 4, e45i);
        store(i + 6, e67i);
        next_reversed(b, q);
    }
}

KERNEL v4 two_points(const Complex* a, const Complex* b) { return v4{a->re, a->im, b->re, b->im}; }

// Four lanes: points (0,2,4,6) against (1,3,5,7); then (0,1,4,5) against (2,3,6,7); then
// (0,1,2,3) against (4,5,6,7).
KERNEL void gather_first_three_v4(const Complex* x, int log2n, const double* const* tw, double* re,
                                  double* im)
{
    const Index q = 1LL << (log2n - 3);
    const v4 w1r = {tw[1][0], tw[1][0], tw[1][0], tw[1][0]};
    const v4 w1i = {tw[1][1], tw[1][1], tw[1][1], tw[1][1]};
    const v4 w2r = {tw[2][0], tw[2][1], tw[2][0], tw[2][1]};
    const v4 w2i = {tw[2][2], tw[2][3], tw[2][2], tw[2][3]};
    const v4 w3r = load<v4>(tw[3]), w3i = load<v4>(tw[3] + 4);
    Index b = 0;
    for (Index c = 0; c < q; ++c) {
        const Complex* p = x + c;
        const v4 p01 = two_points(p, p + q), p23 = two_points(p + 2 * q, p + 3 * q);
        const v4 p45 = two_points(p + 4 * q, p + 5 * q), p67 = two_points(p + 6 * q, p + 7 * q);
        v4 ur = __builtin_shufflevector(p01, p23, 0, 4, 2, 6), ui = __builtin_shufflevector(p01, p23, 1, 5, 3, 7);
        v4 xr = __builtin_shufflevector(p45, p67, 0, 4, 2, 6), xi = __builtin_shufflevector(p45, p67, 1, 5, 3, 7);
        butterfly(ur, ui, xr, xi, w1r, w1i);
        v4 vr = __builtin_shufflevector(ur, xr, 0, 4, 2, 6), vi = __builtin_shufflevector(ui, xi, 0, 4, 2, 6);
        v4 yr = __builtin_shufflevector(ur, xr, 1, 5, 3, 7), yi = __builtin_shufflevector(ui, xi, 1, 5, 3, 7);
        butterfly(vr, vi, yr, yi, w2r, w2i);
        ur = __builtin_shufflevector(vr, yr, 0, 1, 4, 5);
        ui = __builtin_shufflevector(vi, yi, 0, 1, 4, 5);
        xr = __builtin_shufflevector(vr, yr, 2, 3, 6, 7);
        xi = __builtin_shufflevector(vi, yi, 2, 3, 6, 7);
        butterfly(ur, ui, xr, xi, w3r, w3i);
        store(re + 8 * b, ur);
        store(re + 8 * b + 4, xr);
        store(im + 8 * b, ui);
        store(im + 8 * b + 4, xi);
        next_reversed(b, q);
    }
}

// Stage s (half span h = 2^(s-1) >= 8) over points [start, start + size).
template <typename V>
KERNEL void radix2_pass(double* re, double* im, Index start, Index size, int s, const double* const* tw)
{
    const Index h = 1LL << (s - 1);
    const double* wr = tw[s];
    const double* wi = tw[s] + h;
    for (Index g = start; g < start + size; g += 2 * h) {
        double *ar = re + g, *ai = im + g;
        for (Index j = 0; j < h; j += kLanes<V>) {
            V ur = load<V>(ar + j), ui = load<V>(ai + j);
            V xr = load<V>(ar + j + h), xi = load<V>(ai + j + h);
            butterfly(ur, ui, xr, xi, load<V>(wr + j), load<V>(wi + j));
            store(ar + j, ur);
            store(ai + j, ui);
            store(ar + j + h, xr);
            store(ai + j + h, xi);
        }
    }
}

// Stages s and s + 1 (h = 2^(s-1) >= 8) over points [start, start + size): each group of four
// points a, b = a+h, c = a+2h, d = a+3h takes its two stage-s and two stage-(s+1) butterflies.
template <typename V>
KERNEL void radix4_pass(double* re, double* im, Index start, Index size, int s, const double* const* tw)
{
    const Index h = 1LL << (s - 1);
    const double* w1r = tw[s];
    const double* w1i = tw[s] + h;
    const double* w2r = tw[s + 1];
    const double* w2i = tw[s + 1] + 2 * h;
    for (Index g = start; g < start + size; g += 4 * h) {
        for (Index j = 0; j < h; j += kLanes<V>) {
            double *ar = re + g + j, *ai = im + g + j;
            V a_r = load<V>(ar), a_i = load<V>(ai);
            V b_r = load<V>(ar + h), b_i = load<V>(ai + h);
            V c_r = load<V>(ar + 2 * h), c_i = load<V>(ai + 2 * h);
            V d_r = load<V>(ar + 3 * h), d_i = load<V>(ai + 3 * h);
            const V wr = load<V>(w1r + j), wi = load<V>(w1i + j);
            butterfly(a_r, a_i, b_r, b_i, wr, wi);
            butterfly(c_r, c_i, d_r, d_i, wr, wi);
            butterfly(a_r, a_i, c_r, c_i, load<V>(w2r + j), load<V>(w2i + j));
            butterfly(b_r, b_i, d_r, d_i, load<V>(w2r + j + h), load<V>(w2i + j + h));
            store(ar, a_r);
            store(ai, a_i);
            store(ar + h, b_r);
            store(ai + h, b_i);
            store(ar + 2 * h, c_r);
            store(ai + 2 * h, c_i);
            store(ar + 3 * h, d_r);
            store(ai + 3 * h, d_i);
        }
    }
}

// Stages 4 .. top over one block of 2^top points.
template <typename V>
KERNEL void block_stages(double* re, double* im, Index start, int top, const double* const* tw)
{
    const Index size = 1LL << top;
    int s = 4;
    if ((top - 3) % 2 != 0) radix2_pass<V>(re, im, start, size, s++, tw);
    for (; s < top; s += 2) radix4_pass<V>(re, im, start, size, s, tw);
}

// Interleaves re/im back into x, scaled as complex_scale does: (re * s, s * im).
template <typename V>
KERNEL void copy_back(Complex* x, Index n, const double* re, const double* im, bool scale)
{
    const double inv = 1.0 / static_cast<double>(n);
    if constexpr (kLanes<V> == 2) {
        const v2 s = {inv, inv};
        for (Index k = 0; k < n; k += 2) {
            v2 r = load<v2>(re + k), i = load<v2>(im + k);
            if (scale) {
                r = r * s;
                i = s * i;
            }
            store(&x[k].re, __builtin_shufflevector(r, i, 0, 2));
            store(&x[k + 1].re, __builtin_shufflevector(r, i, 1, 3));
        }
    } else {
        const v4 s = {inv, inv, inv, inv};
        for (Index k = 0; k < n; k += 4) {
            v4 r = load<v4>(re + k), i = load<v4>(im + k);
            if (scale) {
                r = r * s;
                i = s * i;
            }
            store(&x[k].re, __builtin_shufflevector(r, i, 0, 4, 1, 5));
            store(&x[k + 2].re, __builtin_shufflevector(r, i, 2, 6, 3, 7));
        }
    }
}

// Blocks of up to 2^kBlockLog2 points (16 KiB of work data) are finished before the stages that
// join them; those run as fused pairs, depth first, each as soon as its four quarters are done.
const int kBlockLog2 = 10;

template <typename V>
KERNEL void all_passes(Complex* x, int log2n, const double* const* tw, double* re, double* im, bool scale)
{
    const Index n = 1LL << log2n;
    if constexpr (kLanes<V> == 2)
        gather_first_three_v2(x, log2n, tw, re, im);
    else
        gather_first_three_v4(x, log2n, tw, re, im);
    int base = log2n;
    if (base > kBlockLog2) base = kBlockLog2 - ((log2n - kBlockLog2) % 2);
    const int levels = (log2n - base) / 2;
    for (Index k = 0; k < n >> base; ++k) {
        if (base > 3) block_stages<V>(re, im, k << base, base, tw);
        Index done = k + 1;
        for (int level = 1; level <= levels && done % 4 == 0; ++level, done /= 4) {
            const int top = base + 2 * level;
            radix4_pass<V>(re, im, ((k + 1) << base) - (1LL << top), 1LL << top, top - 1, tw);
        }
    }
    copy_back<V>(x, n, re, im, scale);
}

void passes_generic(Complex* x, int log2n, const double* const* tw, double* re, double* im, bool scale)
{
    all_passes<v2>(x, log2n, tw, re, im, scale);
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void passes_avx2(Complex* x, int log2n, const double* const* tw,
                                                 double* re, double* im, bool scale)
{
    all_passes<v4>(x, log2n, tw, re, im, scale);
}

__attribute__((target("avx512f"))) void passes_avx512(Complex* x, int log2n, const double* const* tw,
                                                      double* re, double* im, bool scale)
{
    all_passes<v8>(x, log2n, tw, re, im, scale);
}
#endif

}  // namespace

FftIsa fft_best_isa()
{
#if defined(__x86_64__) || defined(__i386__)
    static const FftIsa best = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512f")) return FftIsa::avx512;
        return __builtin_cpu_supports("avx2") ? FftIsa::avx2 : FftIsa::generic;
    }();
    return best;
#else
    return FftIsa::generic;
#endif
}

void fft_passes(FftIsa isa, Complex* x, int log2n, const double* const* tw, double* re, double* im,
                bool scale)
{
#if defined(__x86_64__) || defined(__i386__)
    if (isa == FftIsa::avx512) return passes_avx512(x, log2n, tw, re, im, scale);
    if (isa == FftIsa::avx2) return passes_avx2(x, log2n, tw, re, im, scale);
#endif
    passes_generic(x, log2n, tw, re, im, scale);
}
