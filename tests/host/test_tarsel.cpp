// tarsel: pseudo Wigner-Ville peak IF estimates.
#include <cmath>
#include <limits>

#include "peak_literal.h"
#include "peak_test.h"

using namespace mexhost;
using namespace peak_test;

namespace {

Array with_sample(Array x, size_t i, double v)
{
    x.re[i] = v;
    return x;
}

}  // namespace

// The module against the computation written out step by step on the literal FFT: the lag
// layout, the pairing of instants, the peak rule and the scaling, bit for bit.
TEST(Tarsel, MatchesTheLiteralComputation)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expect_literal("tarsel", {
        {"real, odd W", noise(100, false), 31, 3, 0},
        {"real, even W = N", noise(64, false), 64, 1, 0},
        {"real, even W, shared slot reached", noise(200, false), 32, 5, 0},
        {"complex, F above W, odd H", noise(129, true), 20, 7, 100},
        {"complex, W = 1", noise(30, true), 1, 2, 0},
        {"real, T = N", noise(37, false), 9, 37, 0},
        {"N = 2", noise(2, true), 2, 1, 0},
        {"NaN sample", with_sample(noise(60, true), 30, nan), 15, 2, 0},
    }, literal::tarsel);
}

// N = 4, W = 2, T = 1 on a complex signal, so NFFT = 2 and lag 1 and lag -1 share slot 1. Pair
// (0, 1): slot 1 gets i*K + i*conj(K) of instant 1, K = z2 conj(z0), so bin 1 of the imaginary part
// wins when Re K < 0. Pair (2, 3): instant 3 has lag 0 alone, but slot 1 keeps conj(K) of instant
// 2, K = z3 conj(z1), so its estimate follows Im K.
TEST(Tarsel, EvenWindowSharesTheMiddleSlot)
{
    const Array up = cplx(4, 1, {1, 1, -1, 0}, {0, 0, 0, 1});    // Re K(1) = -1, Im K(2) = 1
    EXPECT_TRUE(same_values(ok_call("tarsel", {up, scalar(2), scalar(1)}).out(), {0, 0.25, 0, 0.25}));
    const Array down = cplx(4, 1, {1, 1, 1, 0}, {0, 0, 0, -1});  // Re K(1) = 1, Im K(2) = -1
    EXPECT_TRUE(same_values(ok_call("tarsel", {down, scalar(2), scalar(1)}).out(), {0, 0, 0, 0}));
}

// exp(j 2 pi n / 8), N = 64, W = 64, T = 8: every instant but the first peaks at bin 2 f NFFT = 16,
// that is 1/8. (Instant 0 has lag 0 alone: its slice is flat but for the rounding noise its pair
// partner leaves in the real part, and that noise picks its peak.)
TEST(Tarsel, ComplexTone)
{
    const Array f = ok_call("tarsel", {tone(64, 0.125), scalar(64), scalar(8)}).out();
    ASSERT_EQ(f.numel(), 8u);
    for (size_t i = 1; i < 8; ++i) EXPECT_EQ(f[i], 0.125) << "instant " << 8 * i;
    // Odd H: the last instant is transformed alone.
    const Array g = ok_call("tarsel", {tone(50, 0.125), scalar(48), scalar(8)}).out();
    ASSERT_EQ(g.numel(), 7u);
    for (size_t i = 1; i < 7; ++i) EXPECT_EQ(g[i], 0.125) << "instant " << 8 * i;
}

// A single lag (T = N leaves instant 0 alone; W = 1 leaves lag 0 alone) fills every bin with the
// same value, and ties go to bin 0. NaN bins never win either: a NaN sample turns every bin of
// the transforms whose lags reach it into NaN, for both instants of the pair.
TEST(Tarsel, FlatAndNaNSlicesGiveZero)
{
    const Array x = chirp(64, 0.1, 0.4);
    EXPECT_TRUE(same_values(ok_call("tarsel", {x, scalar(15), scalar(64)}).out(), {0}));
    EXPECT_TRUE(same_values(ok_call("tarsel", {x, scalar(1), scalar(5)}).out(), std::vector<double>(13, 0.0)));
    Array y = tone(64, 0.2);
    y.im[40] = std::numeric_limits<double>::quiet_NaN();
    const Array f = ok_call("tarsel", {y, scalar(9), scalar(4)}).out();
    for (size_t i = 0; i < f.numel(); ++i) {
        const long t = static_cast<long>(i) * 4, partner = (i % 2 ? t - 4 : t + 4);
        if (std::labs(t - 40) <= 4 || std::labs(partner - 40) <= 4) {
            EXPECT_EQ(f[i], 0.0) << "instant " << t;
        } else if (t > 0 && t < 63) {
            EXPECT_NEAR(f[i], 0.2, 1.0 / 32) << "instant " << t;
        }
    }
}

// On a noiseless real linear chirp the estimates follow the true IF within one bin, 1/(2 NFFT),
// wherever the lag window fits inside the signal.
TEST(Tarsel, FollowsALinearChirp)
{
    const size_t n = 512;
    const Array f = ok_call("tarsel", {chirp(n, 0.1, 0.4), scalar(63), scalar(4)}).out();
    ASSERT_EQ(f.numel(), 128u);
    for (size_t i = 0; i < f.numel(); ++i) {
        const double t = 4.0 * static_cast<double>(i);
        if (t < 63 || t > static_cast<double>(n) - 64) continue;
        EXPECT_NEAR(f[i], chirp_if(n, 0.1, 0.4, t), 1.0 / 128) << "instant " << t;
    }
}

// Allocations: 1 the output, 2 z, 3 buf, 4 the analytic signal's buffer.
ALLOC_SWEEP(Tarsel, SweepCase{"tarsel", 1, {noise(40, false), scalar(9), scalar(3)}, [](const Result& r, long k) {
    const std::string creation = "tarsel_m/mexFunction/plhs[0]: Memory allocation failed";
    switch (k) {
    case 1:  // handed to the toolbox's error function, which raises it; nothing printed
        EXPECT_TRUE(r.raised);
        EXPECT_EQ(r.error, creation);
        EXPECT_EQ(r.zarn, std::vector<std::string>{"err: " + creation});
        EXPECT_EQ(r.printed, "");
        EXPECT_FALSE(r.assigned[0]);
        break;
    case 2:
    case 3:  // the output exists and keeps its zeros
        EXPECT_EQ(r.printed, error_text("tarsel", "Memory allocation\tfailed"));
        EXPECT_TRUE(same_values(r.out(), std::vector<double>(14, 0.0)));
        break;
    case 4: {  // the estimator goes on with the real signal as it is
        expect_went_on_with_real_signal(r, "tarsel", noise(40, false).re);
        break;
    }
    default:
        ADD_FAILURE() << "unexpected allocation " << k;
    }
}});
