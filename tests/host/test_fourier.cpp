// Complex arithmetic, the FFT against its literal per-butterfly form, direct transforms, shifts.
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "fft_kernels.h"
#include "fft_literal.h"
#include "fourier.h"
#include "sweep.h"

// A work array that cannot exist must come back as a null pointer, not end the run.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

using Signal = std::vector<Complex>;

double from_bits(uint64_t b)
{
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

uint64_t bits_of(double d)
{
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// Test data: "wide" spans the whole finite range (sums cannot overflow up to 2^20 points) with
// signed zeros and subnormals mixed in; "tiny" keeps every value subnormal or zero so that the
// transform runs in gradual underflow; "special" adds infinities and NaNs of both signs and with
// payloads.
enum class Kind { wide, tiny, special };

double sample(std::mt19937_64& rng, Kind kind)
{
    const uint64_t r = rng(), sign = (r >> 63) << 63;
    const uint64_t mantissa = rng() & ((1ULL << 52) - 1);
    const int pick = static_cast<int>(r & 15);
    if (kind == Kind::tiny) return from_bits(pick == 0 ? sign : sign | mantissa >> (r >> 8 & 31));
    if (kind == Kind::special && pick < 3) {
        static const uint64_t specials[] = {0x7ff0000000000000ULL, 0xfff0000000000000ULL,
                                            0x7ff8000000000000ULL, 0xfff8000000000000ULL,
                                            0x7ff8000000012345ULL, 0xfffc0000000abcdeULL};
        return from_bits(specials[rng() % 6]);
    }
    if (pick == 3) return from_bits(sign);              // +0 or -0
    if (pick == 4) return from_bits(sign | mantissa);   // subnormal
    const uint64_t exponent = 1 + rng() % 2013;         // 2^-1022 .. 2^990
    return from_bits(sign | exponent << 52 | mantissa);
}

Signal random_signal(long n, Kind kind, uint64_t seed)
{
    std::mt19937_64 rng(seed);
    Signal x(n);
    for (Complex& c : x) {
        c.re = sample(rng, kind);
        c.im = sample(rng, kind);
    }
    return x;
}

// When two NaNs meet in an addition, which one the result carries is the compiler's choice (it
// may swap the operands of +), not the algorithm's; so NaNs are compared as NaNs only where
// nan_any_payload is set, and every other value bit for bit.
bool same_value(double a, double b, bool nan_any_payload)
{
    return same_bits(a, b) || (nan_any_payload && std::isnan(a) && std::isnan(b));
}

::testing::AssertionResult same_signal(const Signal& got, const Signal& want, bool nan_any_payload = false)
{
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "length differs";
    for (size_t k = 0; k < got.size(); ++k)
        if (!same_value(got[k].re, want[k].re, nan_any_payload) ||
            !same_value(got[k].im, want[k].im, nan_any_payload))
            return ::testing::AssertionFailure()
                   << "first difference at " << k << ": got " << std::hex << bits_of(got[k].re) << ","
                   << bits_of(got[k].im) << " want " << bits_of(want[k].re) << "," << bits_of(want[k].im);
    return ::testing::AssertionSuccess();
}

const double kDirs[] = {1.0, -1.0, 2.0, -0.5};

// Every variant this machine can run, the one fft picks included.
std::vector<FftIsa> runnable_isas()
{
    std::vector<FftIsa> isas = {FftIsa::generic};
    if (fft_best_isa() != FftIsa::generic) isas.push_back(FftIsa::avx2);
    if (fft_best_isa() == FftIsa::avx512) isas.push_back(FftIsa::avx512);
    return isas;
}

void expect_same_as_literal(Kind kind, int max_log2n)
{
    const bool nans = kind == Kind::special;
    for (int log2n = 0; log2n <= max_log2n; ++log2n) {
        for (double dir : kDirs) {
            const Signal x = random_signal(1L << log2n, kind, 1000 * log2n + static_cast<int>(4 * dir));
            Signal want = x;
            fft_literal(want.data(), log2n, dir);
            for (FftIsa isa : runnable_isas()) {
                Signal got = x;
                fft_with(isa, got.data(), log2n, dir);
                EXPECT_TRUE(same_signal(got, want, nans))
                    << "log2n " << log2n << " dir " << dir << " isa " << static_cast<int>(isa);
            }
            Signal got = x;
            fft(got.data(), log2n, dir);
            EXPECT_TRUE(same_signal(got, want, nans)) << "fft, log2n " << log2n << " dir " << dir;
        }
    }
}

TEST(FftBits, SameAsLiteralOverTheFiniteRange) { expect_same_as_literal(Kind::wide, 20); }

TEST(FftBits, SameAsLiteralInGradualUnderflow) { expect_same_as_literal(Kind::tiny, 14); }

TEST(FftBits, SameAsLiteralWithInfinitiesAndNaNs) { expect_same_as_literal(Kind::special, 12); }

// Lengths the callers do not pass still behave as the algorithm does: 2^-1 rounds to one point,
// smaller powers to none.
TEST(FftBits, NegativeLog2nAsLiteral)
{
    for (int log2n : {-1, -2, -40, INT_MIN}) {
        for (double dir : kDirs) {
            Signal got = {{3.25, -0.0}}, want = got;
            fft(got.data(), log2n, dir);
            fft_literal(want.data(), log2n, dir);
            EXPECT_TRUE(same_signal(got, want)) << log2n;
        }
    }
}

// Several threads meeting the empty twiddle cache at once, each walking the lengths in its own
// order, must all get the literal results.
TEST(FftBits, ConcurrentCallsShareTheTwiddleCache)
{
    const int kMax = 14;
    std::vector<Signal> inputs, fwd, inv;
    for (int log2n = 0; log2n <= kMax; ++log2n) {
        inputs.push_back(random_signal(1L << log2n, Kind::wide, log2n));
        fwd.push_back(inputs.back());
        fft_literal(fwd.back().data(), log2n, 1.0);
        inv.push_back(inputs.back());
        fft_literal(inv.back().data(), log2n, -1.0);
    }
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i <= kMax; ++i) {
                const int log2n = t % 2 ? kMax - i : (i * 7 + t) % (kMax + 1);
                const double dir = (i + t) % 2 ? 1.0 : -1.0;
                Signal x = inputs[log2n];
                fft(x.data(), log2n, dir);
                if (!same_signal(x, dir == 1.0 ? fwd[log2n] : inv[log2n])) ++wrong;
            }
        });
    }
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(Fft, SinglePointUnchanged)
{
    for (double dir : {1.0, -1.0, 2.0}) {
        Signal x = {{-7.5, 0.125}};
        fft(x.data(), 0, dir);
        EXPECT_TRUE(same_signal(x, {{-7.5, 0.125}})) << dir;
    }
}

TEST(Fft, ImpulseGivesOnes)
{
    for (int log2n : {1, 2, 3, 6, 11}) {
        Signal x(1L << log2n, Complex{0.0, 0.0});
        x[0].re = 1.0;
        fft(x.data(), log2n, 1.0);
        for (const Complex& c : x) {
            ASSERT_EQ(c.re, 1.0) << log2n;
            ASSERT_EQ(c.im, 0.0) << log2n;
        }
    }
}

// Only dir = 1 exactly leaves the sum unscaled; the zero-frequency bin of a constant is exact.
TEST(Fft, EveryDirectionButOneIsScaled)
{
    const struct {
        double dir;
        double bin0;
    } cases[] = {{1.0, 64.0}, {-1.0, 1.0}, {2.0, 1.0}, {-0.5, 1.0}, {0.0, 1.0}, {1.0000000000000002, 1.0}};
    for (const auto& c : cases) {
        Signal x(64, Complex{1.0, 0.0});
        fft(x.data(), 6, c.dir);
        EXPECT_EQ(x[0].re, c.bin0) << c.dir;
        EXPECT_EQ(x[0].im, 0.0) << c.dir;
    }
}

double max_abs_diff(const Signal& a, const Signal& b)
{
    double d = 0.0;
    for (size_t k = 0; k < a.size(); ++k)
        d = std::fmax(d, std::fmax(std::fabs(a[k].re - b[k].re), std::fabs(a[k].im - b[k].im)));
    return d;
}

Signal unit_signal(long n, uint64_t seed)
{
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Signal x(n);
    for (Complex& c : x) c = Complex{u(rng), u(rng)};
    return x;
}

// The twiddle angles are rounded to single precision, so a round trip is exact only to about
// that precision.
TEST(Fft, ForwardThenInverseRestoresTheInput)
{
    for (int log2n : {1, 2, 3, 4, 10, 16}) {
        const Signal x = unit_signal(1L << log2n, log2n);
        Signal y = x;
        fft(y.data(), log2n, 1.0);
        fft(y.data(), log2n, -1.0);
        EXPECT_LT(max_abs_diff(x, y), 1e-6) << log2n;
    }
}

TEST(Fft, AgreesWithTheDirectTransform)
{
    for (int log2n : {2, 4, 7}) {
        const long n = 1L << log2n;
        const Signal x = unit_signal(n, 7 * log2n);
        Signal direct(n), back(n), y = x;
        dft(x.data(), direct.data(), static_cast<int>(n));
        fft(y.data(), log2n, 1.0);
        EXPECT_LT(max_abs_diff(y, direct), 1e-5 * n) << log2n;
        idft(direct.data(), back.data(), static_cast<int>(n));
        EXPECT_LT(max_abs_diff(back, x), 1e-12) << log2n;
    }
}

// A length whose work memory cannot exist (or not even be addressed) leaves x as it was.
TEST(Fft, UnobtainableWorkMemoryLeavesTheInputUntouched)
{
    for (int log2n : {50, 57, 63, 64, 1000, INT_MAX}) {
        for (double dir : {1.0, -1.0, 2.0}) {
            Signal x = unit_signal(4, 1);
            const Signal before = x;
            fft(x.data(), log2n, dir);
            EXPECT_TRUE(same_signal(x, before)) << log2n << " " << dir;
        }
    }
}

TEST(DirectTransforms, NonPowerOfTwoRoundTripAndNothingForEmpty)
{
    for (int n = 1; n <= 9; ++n) {
        const Signal x = unit_signal(n, n);
        Signal X(n), y(n);
        dft(x.data(), X.data(), n);
        idft(X.data(), y.data(), n);
        EXPECT_LT(max_abs_diff(x, y), 1e-13) << n;
    }
    for (int n : {0, -3}) {
        Signal x = {{1.0, 2.0}}, X = {{5.0, 6.0}};
        dft(x.data(), X.data(), n);
        idft(x.data(), X.data(), n);
        EXPECT_TRUE(same_signal(X, {{5.0, 6.0}}));
        EXPECT_TRUE(same_signal(x, {{1.0, 2.0}}));
    }
}

Signal ramp(int n)
{
    Signal x(n);
    for (int i = 0; i < n; ++i) x[i] = Complex{static_cast<double>(i), -static_cast<double>(i)};
    return x;
}

// fftshift moves element (k + h + 1) mod n (odd n) or (k + h) mod n (even n) to k; ifftshift
// takes (k + h) mod n; and each undoes the other.
TEST(Shifts, RotateByHalfForEveryLength)
{
    for (int n = 2; n <= 11; ++n) {
        const int h = n / 2;
        const Signal x = ramp(n);
        Signal f = x, i = x;
        fftshift(f.data(), n);
        ifftshift(i.data(), n);
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(f[k].re, x[(k + h + n % 2) % n].re) << n << " " << k;
            EXPECT_EQ(f[k].im, x[(k + h + n % 2) % n].im) << n << " " << k;
            EXPECT_EQ(i[k].re, x[(k + h) % n].re) << n << " " << k;
        }
        ifftshift(f.data(), n);
        EXPECT_TRUE(same_signal(f, x)) << n;
    }
}

TEST(Shifts, ExamplesAndShortLengths)
{
    Signal x = ramp(5);
    fftshift(x.data(), 5);
    EXPECT_EQ(x[0].re, 3.0);
    EXPECT_EQ(x[1].re, 4.0);
    EXPECT_EQ(x[2].re, 0.0);
    x = ramp(5);
    ifftshift(x.data(), 5);
    EXPECT_EQ(x[0].re, 2.0);
    EXPECT_EQ(x[4].re, 1.0);
    for (void (*shift)(Complex*, int) : {fftshift, ifftshift}) {
        x = ramp(4);
        shift(x.data(), 4);
        EXPECT_EQ(x[0].re, 2.0);
        EXPECT_EQ(x[3].re, 1.0);
        for (int n : {0, 1, -1, -4}) {
            x = ramp(3);
            shift(x.data(), n);
            EXPECT_TRUE(same_signal(x, ramp(3))) << n;
        }
    }
}

TEST(ComplexOps, DivisionFlushesTinyPartsAndZeroDivisors)
{
    const struct {
        Complex a, b, want;
    } cases[] = {
        {{1.0, 2.0}, {3.0, 4.0}, {11.0 / 25.0, 2.0 / 25.0}},
        {{1.0, 2.0}, {0.0, 0.0}, {0.0, 0.0}},
        {{1.0, 2.0}, {1e-15, 0.0}, {0.0, 0.0}},
        {{1.0, 2.0}, {-1e-15, 5e-324}, {0.0, 0.0}},
        {{-1e-15, 1.0}, {1.0, 0.0}, {0.0, 1.0}},        // the tiny part counts as +0
        {{1e-14, 0.0}, {1e-14, 0.0}, {1.0, 0.0}},       // 1e-14 itself is kept
        {{-2.0, 0.0}, {-1e-14, 1e-15}, {(-2.0 * -1e-14) / (-1e-14 * -1e-14), 0.0}},
    };
    for (const auto& c : cases) {
        const Complex q = complex_div(c.a, c.b);
        EXPECT_TRUE(same_bits(q.re, c.want.re) && same_bits(q.im, c.want.im))
            << c.a.re << "," << c.a.im << " / " << c.b.re << "," << c.b.im << " = " << q.re << "," << q.im;
    }
    // NaN is not tiny: it reaches both parts of the quotient.
    const Complex nan = complex_div({std::nan(""), 1.0}, {1e-15, 2.0});
    EXPECT_TRUE(std::isnan(nan.re) && std::isnan(nan.im));
}

TEST(ComplexOps, ArgumentIgnoresTheQuadrantAndAbsIsDirect)
{
    const double arg_neg = complex_arg({-1.0, 0.0});
    EXPECT_EQ(arg_neg, 0.0);
    EXPECT_TRUE(std::signbit(arg_neg));
    EXPECT_EQ(complex_arg({0.0, 1.0}), std::atan(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(complex_arg({-1.0, -1.0}), std::atan(1.0));
    EXPECT_EQ(complex_abs({3.0, -4.0}), 5.0);
    EXPECT_EQ(complex_abs({1e200, 1e200}), std::numeric_limits<double>::infinity());  // no guard against overflow
    Complex p = {1.0, 2.0}, q = {3.0, 4.0};
    complex_swap(&p, &q);
    EXPECT_TRUE(p.re == 3.0 && p.im == 4.0 && q.re == 1.0 && q.im == 2.0);
}

}  // namespace
