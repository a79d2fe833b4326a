// hovat: spectrogram peak IF estimates.
#include <cmath>
#include <limits>

#include "peak_literal.h"
#include "peak_test.h"

using namespace mexhost;
using namespace peak_test;

// The module against the computation written out step by step on the literal FFT.
TEST(Hovat, MatchesTheLiteralComputation)
{
    Array with_nan = noise(60, true);
    with_nan.re[30] = std::numeric_limits<double>::quiet_NaN();
    expect_literal("hovat", {
        {"real, odd W", noise(100, false), 31, 3, 0},
        {"real, W = N", noise(64, false), 64, 1, 0},
        {"complex, F above W", noise(129, true), 20, 7, 100},
        {"complex, T below W/2", noise(40, true), 30, 2, 0},
        {"real, T = N", noise(37, false), 9, 37, 0},
        {"N = 2", noise(2, true), 2, 1, 0},
        {"NaN sample", with_nan, 15, 2, 0},
    }, literal::hovat);
}

// exp(j 2 pi n / 8), N = 64, W = 64, T = 8: the instants are 8 .. 64; all but the last, which lies
// at the end of the signal with an empty segment, peak at bin 8 of 64.
TEST(Hovat, ComplexTone)
{
    EXPECT_TRUE(same_values(ok_call("hovat", {tone(64, 0.125), scalar(64), scalar(8)}).out(),
                            {0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0}));
}

// Empty segments (T = N puts the only instant at the end; W = 1 gives no samples at all) have a
// zero spectrum, and the tie goes to bin 0.
TEST(Hovat, EmptySegmentsGiveZero)
{
    const Array x = tone(64, 0.3);
    EXPECT_TRUE(same_values(ok_call("hovat", {x, scalar(15), scalar(64)}).out(), {0}));
    EXPECT_TRUE(same_values(ok_call("hovat", {x, scalar(1), scalar(5)}).out(), std::vector<double>(13, 0.0)));
    const Array f = ok_call("hovat", {x, scalar(16), scalar(5)}).out();
    EXPECT_EQ(f[f.numel() - 1], 0.0);
    EXPECT_NEAR(f[0], 0.3, 1.0 / 16);
}

// A segment holds 2*floor(W/2) samples: an odd window leaves its last sample out, so W = 33 and
// W = 32 give the same estimates at the same FFT length.
TEST(Hovat, OddWindowDropsItsLastSample)
{
    const Array x = noise(200, false, 3);
    EXPECT_TRUE(same_array(ok_call("hovat", {x, scalar(33), scalar(3), scalar(64)}).out(),
                           ok_call("hovat", {x, scalar(32), scalar(3), scalar(64)}).out()));
}

// On a noiseless real linear chirp the estimates follow the true IF at the segment's centre,
// half a sample before the instant, within one bin, 1/NFFT, wherever the window fits.
TEST(Hovat, FollowsALinearChirp)
{
    const size_t n = 512;
    const Array f = ok_call("hovat", {chirp(n, 0.1, 0.4), scalar(63), scalar(4)}).out();
    ASSERT_EQ(f.numel(), 128u);
    for (size_t i = 0; i < f.numel(); ++i) {
        const double t = 4.0 * static_cast<double>(i + 1);
        if (t < 63 || t > static_cast<double>(n) - 64) continue;
        EXPECT_NEAR(f[i], chirp_if(n, 0.1, 0.4, t - 0.5), 1.0 / 64) << "instant " << t;
    }
}

// A single-precision signal, so that its conversion is swept too. Allocations: 1 the converted
// copy, 2 the output, 3 z, 4 buf, 5 the analytic signal's buffer.
ALLOC_SWEEP(Hovat, SweepCase{"hovat", 1, {of_class(mxSINGLE_CLASS, 1, 40, noise(40, false).re), scalar(9), scalar(3)},
                             [](const Result& r, long k) {
    switch (k) {
    case 1:
        EXPECT_EQ(r.printed, error_text("hovat", "Memory allocation\tfailed"));
        EXPECT_TRUE(is_empty_output(r));
        break;
    case 2:  // the output itself: no tab in this text
        EXPECT_EQ(r.printed, error_text("hovat", "Memory allocation failed"));
        EXPECT_TRUE(is_empty_output(r));
        break;
    case 3:
    case 4:  // the output exists and keeps its zeros
        EXPECT_EQ(r.printed, error_text("hovat", "Memory allocation\tfailed"));
        EXPECT_TRUE(same_values(r.out(), std::vector<double>(14, 0.0)));
        break;
    case 5: {  // the estimator goes on with the real signal as it is
        std::vector<double> re;  // the signal was given in single precision
        for (double v : noise(40, false).re) re.push_back(static_cast<double>(static_cast<float>(v)));
        expect_went_on_with_real_signal(r, "hovat", re);
        break;
    }
    default:
        ADD_FAILURE() << "unexpected allocation " << k;
    }
}});
