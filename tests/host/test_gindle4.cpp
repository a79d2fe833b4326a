// gindle4: the fourth-order distribution of the twice-interpolated analytic signal.
#include <cmath>
#include <complex>
#include <limits>

#include "peak_literal.h"
#include "peak_test.h"

using namespace mexhost;
using namespace peak_test;

namespace {

// Column c of a 2*nfft-row distribution.
std::vector<double> column_of(const Array& d, size_t c)
{
    return std::vector<double>(d.re.begin() + static_cast<long>(c * d.m), d.re.begin() + static_cast<long>((c + 1) * d.m));
}

size_t peak_row(const std::vector<double>& col)
{
    size_t best = 0;
    for (size_t k = 1; k < col.size(); ++k)
        if (col[k] > col[best]) best = k;
    return best;
}

bool constant(const std::vector<double>& col)
{
    for (double v : col)
        if (!same_bits(v, col[0])) return false;
    return true;
}

}  // namespace

// The module against the computation written out step by step on the literal FFT.
TEST(Gindle4, MatchesTheLiteralComputation)
{
    Array with_nan = noise(60, true);
    with_nan.im[30] = std::numeric_limits<double>::quiet_NaN();
    expect_literal("gindle4", {
        {"real, odd W, odd H", noise(100, false), 31, 3, 0},
        {"real, W = N", noise(64, false), 64, 1, 0},
        {"complex, F above W", noise(129, true), 20, 7, 100},
        {"N = 5: interpolated in 16 points", noise(5, true), 4, 2, 0},
        {"real, T = N", noise(37, false), 9, 37, 0},
        {"NaN sample", with_nan, 15, 4, 0},
    }, literal::gindle4);
}

// exp(j 2 pi n / 8), N = 64, W = 64, T = 8 (NFFT = 64, 128 rows): every column but the first peaks
// in row 4 f NFFT = 32 with the value 2 La + 1 (La the number of lags that fit); the first column,
// instant 0 with lag 0 alone, is 16 |y0|^4 = 1 in every row. "Up to rounding" is wide here: the
// transforms turn by angles rounded to single precision.
TEST(Gindle4, ComplexTone)
{
    const Array d = ok_call("gindle4", {tone(64, 0.125), scalar(64), scalar(8)}).out();
    ASSERT_EQ(d.m, 128u);
    ASSERT_EQ(d.n, 8u);
    for (double v : column_of(d, 0)) ASSERT_NEAR(v, 1.0, 1e-6);
    for (size_t c = 1; c < 8; ++c) {
        const long h = 16 * static_cast<long>(c);
        const double lags = 2.0 * static_cast<double>(std::min({32L, h, 127 - h})) + 1.0;
        const std::vector<double> col = column_of(d, c);
        EXPECT_EQ(peak_row(col), 32u) << "column " << c;
        EXPECT_NEAR(col[32], lags, 1e-7 * lags) << "column " << c;
    }
}

// With lag 0 alone (W = 1, or T = N for the single column) every column is constant, and its
// value 16 |y(2n)|^4 shows the interpolation keeping the signal's samples at half amplitude:
// |x(n)|^4 for a complex signal, whatever its length (N = 5 is padded to 8 and interpolated to 16).
TEST(Gindle4, LagZeroAloneShowsTheInterpolatedSamples)
{
    for (size_t n : {5u, 37u}) {
        const Array x = noise(n, true, 11);
        const Array d = ok_call("gindle4", {x, scalar(1), scalar(1)}).out();
        ASSERT_EQ(d.m, 2u);
        ASSERT_EQ(d.n, n);
        for (size_t c = 0; c < n; ++c) {
            const std::vector<double> col = column_of(d, c);
            EXPECT_TRUE(constant(col)) << "column " << c;
            const double mag = std::norm(std::complex<double>(x.re[c], x.im[c]));
            EXPECT_NEAR(col[0], mag * mag, 1e-6 * (1 + mag * mag)) << "N = " << n << ", column " << c;
        }
        const Array single = ok_call("gindle4", {x, scalar(4), scalar(static_cast<double>(n))}).out();
        ASSERT_EQ(single.n, 1u);
        EXPECT_TRUE(constant(single.re));
        EXPECT_TRUE(same_bits(single.re[0], d.re[0]));
    }
}

// On a noiseless real linear chirp the peak row of every column follows the true IF within one
// row, 1/(4 NFFT), wherever the lag window fits inside the signal.
TEST(Gindle4, FollowsALinearChirp)
{
    const size_t n = 512;
    const Array d = ok_call("gindle4", {chirp(n, 0.1, 0.4), scalar(63), scalar(4)}).out();
    ASSERT_EQ(d.m, 128u);
    ASSERT_EQ(d.n, 128u);
    for (size_t c = 0; c < d.n; ++c) {
        const double t = 4.0 * static_cast<double>(c);
        if (t < 63 || t > static_cast<double>(n) - 64) continue;
        const double f = static_cast<double>(peak_row(column_of(d, c))) / 256.0;
        EXPECT_NEAR(f, chirp_if(n, 0.1, 0.4, t), 1.0 / 256) << "instant " << t;
    }
}

// Allocations: 1 the output, 2 x, 3 the analytic signal's buffer, 4 buf. Allocation failures are
// reported under "gindle".
ALLOC_SWEEP(Gindle4, SweepCase{"gindle4", 1, {noise(40, false), scalar(9), scalar(3)}, [](const Result& r, long k) {
    switch (k) {
    case 1:
        EXPECT_EQ(r.printed, error_text("gindle", "Memory allocation failed"));
        EXPECT_TRUE(is_empty_output(r));
        break;
    case 2:
    case 4:  // the output exists and keeps its zeros
        EXPECT_EQ(r.printed, error_text("gindle", "Memory allocation failed"));
        EXPECT_TRUE(same_values(r.out(), std::vector<double>(32 * 14, 0.0)));
        break;
    case 3: {  // the computation goes on with the real signal as it is
        expect_went_on_with_real_signal(r, "gindle4", noise(40, false).re);
        break;
    }
    default:
        ADD_FAILURE() << "unexpected allocation " << k;
    }
}});
