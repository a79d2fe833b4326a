// The radix-2 FFT: twiddle tables, work memory, and the hand-over to the butterfly passes.
//
// A twiddle depends only on its stage s and index j (and on dir): the angle -(j * (dir * C))
// rounded to single precision, divided by 2^s, cos and sin taken in double. Tabling them per
// stage gives the values the per-butterfly computation would, so the results keep their bits;
// a stage's table serves every transform length.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "fft_kernels.h"
#include "fourier.h"

typedef long long Index;

// Beyond this the size of the work memory could not even be expressed; such a call fails like
// any other allocation failure.
static constexpr int kMaxLog2n = static_cast<int>(sizeof(size_t)) * 8 - 8;

// Transforms up to this length work in a buffer on the stack (8 KiB): for them an allocation
// would cost as much as the transform.
static const Index kLocalPoints = 256;

// Twiddles of stage s: 2^(s-1) cosines, then as many sines.
static void fill_stage(double* t, int s, double dir)
{
    const Index h = 1LL << (s - 1);
    const double dc = dir * kTwoPiC;
    const double m = static_cast<double>(2 * h);
    for (Index j = 0; j < h; ++j) {
        const double theta = static_cast<double>(static_cast<float>(-(static_cast<double>(j) * dc))) / m;
        t[j] = std::cos(theta);
        t[h + j] = std::sin(theta);
    }
}

namespace {

// Stage tables for dir = 1 and dir = -1, the directions the modules use: built on first need,
// under a lock, and kept until the module is unloaded. A published table never changes, so
// readers check the count of built stages and need no lock.
struct StageCache {
    std::mutex lock;
    std::atomic<int> built{0};
    double* table[kMaxLog2n + 1] = {};
    ~StageCache()
    {
        for (double* t : table) std::free(t);
    }
};

StageCache stage_cache[2];

}  // namespace

// Sets tw[1 .. log2n] from the cache; false when a table cannot be allocated.
static bool cached_stages(int which, double dir, int log2n, const double** tw)
{
    StageCache& c = stage_cache[which];
    if (c.built.load(std::memory_order_acquire) < log2n) {
        std::lock_guard<std::mutex> hold(c.lock);
        for (int s = c.built.load(std::memory_order_relaxed) + 1; s <= log2n; ++s) {
            double* t = static_cast<double*>(std::malloc(sizeof(double) << s));
            if (!t) return false;
            fill_stage(t, s, dir);
            c.table[s] = t;
            c.built.store(s, std::memory_order_release);
        }
    }
    for (int s = 1; s <= log2n; ++s) tw[s] = c.table[s];
    return true;
}

// Lengths 1, 2 and 4 in the plain form.
static void small_fft(Complex* x, Index n, double dir)
{
    static const int reversed[4] = {0, 2, 1, 3};
    Complex work[4];
    double t[6];
    const double* tw[3] = {nullptr, t, t + 2};
    const int log2n = n == 4 ? 2 : n == 2 ? 1 : 0;
    for (int s = 1; s <= log2n; ++s) fill_stage(t + 2 * (s - 1), s, dir);
    for (Index k = 0; k < n; ++k) work[k] = x[n == 4 ? reversed[k] : k];
    for (int s = 1; s <= log2n; ++s) {
        const Index m = 1LL << s, h = m / 2;
        for (Index g = 0; g < n; g += m) {
            for (Index j = 0; j < h; ++j) {
                const Complex t1 = complex_mul(complex_make(tw[s][j], tw[s][h + j]), work[g + j + h]);
                const Complex u = work[g + j];
                work[g + j] = complex_add(u, t1);
                work[g + j + h] = complex_sub(u, t1);
            }
        }
    }
    const double inv = 1.0 / static_cast<double>(n);
    for (Index k = 0; k < n; ++k) x[k] = dir == 1.0 ? work[k] : complex_scale(work[k], inv);
}

void fft(Complex* x, int log2n, double dir) { fft_with(fft_best_isa(), x, log2n, dir); }

void fft_with(FftIsa isa, Complex* x, int log2n, double dir)
{
    if (log2n > kMaxLog2n) return;
    const Index n = log2n >= 0 ? 1LL << log2n : static_cast<Index>(std::pow(2.0, log2n) + 0.5);
    if (n < 1) return;
    if (n < 8) {
        small_fft(x, n, dir);
        return;
    }
    // Split real and imaginary work arrays, 64-byte aligned, then (for a direction outside the
    // cache) this call's tables.
    const int cached = dir == 1.0 ? 0 : dir == -1.0 ? 1 : -1;
    const size_t doubles = 2 * static_cast<size_t>(n) * (cached < 0 ? 2 : 1);
    alignas(64) double local[4 * kLocalPoints];
    void* block = nullptr;
    double* work = local;
    if (n > kLocalPoints) {
        block = std::malloc(sizeof(double) * doubles + 64);
        if (!block) return;
        work = reinterpret_cast<double*>((reinterpret_cast<std::uintptr_t>(block) + 63) & ~std::uintptr_t{63});
    }
    const double* tw[kMaxLog2n + 1];
    bool ready = true;
    if (cached >= 0) {
        ready = cached_stages(cached, dir, log2n, tw);
    } else {
        double* t = work + 2 * n;
        for (int s = 1; s <= log2n; ++s) {
            fill_stage(t, s, dir);
            tw[s] = t;
            t += 1LL << s;
        }
    }
    if (ready) fft_passes(isa, x, log2n, tw, work, work + n, dir != 1.0);
    std::free(block);
}
