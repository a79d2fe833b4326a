// The analytic signal: spectrum doubling and clearing, zero padding, and the allocation failure.
#include <cmath>
#include <cstring>
#include <vector>

#include "analyt.h"
#include "sweep.h"

using namespace mexhost;

namespace {

using Signal = std::vector<Complex>;

Signal real_signal(const std::vector<double>& v)
{
    Signal x;
    for (double d : v) x.push_back(Complex{d, 0.0});
    return x;
}

// analyt inside a host run (its buffer comes from mxCalloc).
Signal analytic(Signal x)
{
    const Result r = run([&] { analyt(x.data(), static_cast<unsigned>(x.size())); });
    EXPECT_EQ(r.printed, "");
    EXPECT_EQ(r.misuse, "");
    EXPECT_EQ(r.allocations, 1);
    return x;
}

// The FFT rounds its twiddle angles to single precision, so "exact" here means to about 1e-7.
const double kTol = 1e-6;

TEST(Analyt, SmallCasesAndTheEdgeBins)
{
    const struct {
        std::vector<double> in, re, im;
    } cases[] = {
        {{2.5}, {2.5}, {0.0}},
        {{2.0, -3.0}, {2.0, -3.0}, {0.0, 0.0}},
        {{1.0, 0.0, -1.0, 0.0}, {1.0, 0.0, -1.0, 0.0}, {0.0, 1.0, 0.0, -1.0}},
        // The zero-frequency and highest-frequency bins are neither doubled nor cleared.
        {{1.0, 1.0, 1.0, 1.0}, {1.0, 1.0, 1.0, 1.0}, {0.0, 0.0, 0.0, 0.0}},
        {{1.0, -1.0, 1.0, -1.0}, {1.0, -1.0, 1.0, -1.0}, {0.0, 0.0, 0.0, 0.0}},
    };
    for (const auto& c : cases) {
        const Signal y = analytic(real_signal(c.in));
        ASSERT_EQ(y.size(), c.re.size());
        for (size_t k = 0; k < y.size(); ++k) {
            EXPECT_NEAR(y[k].re, c.re[k], kTol) << c.in.size() << " " << k;
            EXPECT_NEAR(y[k].im, c.im[k], kTol) << c.in.size() << " " << k;
        }
    }
    // One point: both transforms leave it alone.
    const Signal one = analytic(real_signal({-0.75}));
    EXPECT_TRUE(one[0].re == -0.75 && one[0].im == 0.0);
}

// A cosine on a bin of the transform becomes the complex exponential of the same frequency.
TEST(Analyt, CosineBecomesExponential)
{
    const int n = 64;
    const double pi = std::acos(-1.0);
    std::vector<double> v(n);
    for (int k = 0; k < n; ++k) v[k] = std::cos(2 * pi * 5 * k / n);
    const Signal y = analytic(real_signal(v));
    for (int k = 0; k < n; ++k) {
        EXPECT_NEAR(y[k].re, v[k], kTol) << k;
        EXPECT_NEAR(y[k].im, std::sin(2 * pi * 5 * k / n), kTol) << k;
    }
}

// A length that is not a power of two is padded with zeros to the next one and cut back: the
// result is the head of the padded signal's analytic signal, and keeps the real parts.
TEST(Analyt, PaddedLengthsKeepTheRealPart)
{
    for (unsigned n : {3u, 5u, 7u, 12u, 100u, 1000u, 1024u}) {
        unsigned big = 1;
        while (big < n) big *= 2;
        std::vector<double> v(big, 0.0);
        for (unsigned k = 0; k < n; ++k) v[k] = std::sin(0.3 * k * k + k) + 0.25 * (k % 3);
        const Signal padded = analytic(real_signal(v));
        const Signal y = analytic(real_signal(std::vector<double>(v.begin(), v.begin() + n)));
        ASSERT_EQ(y.size(), n);
        EXPECT_EQ(std::memcmp(y.data(), padded.data(), n * sizeof(Complex)), 0) << n;
        for (unsigned k = 0; k < n; ++k) EXPECT_NEAR(y[k].re, v[k], kTol) << n << " " << k;
    }
}

TEST(Analyt, NoBufferReportsAndLeavesTheSignal)
{
    Signal x = real_signal({1.0, 2.0, 3.0});
    const Signal before = x;
    Options opt;
    opt.fail_alloc = 1;
    const Result r = run([&] { analyt(x.data(), 3); }, opt);
    EXPECT_EQ(r.printed, error_text("analyt", "Memory allocation failed: Y"));
    EXPECT_EQ(r.misuse, "");
    EXPECT_EQ(std::memcmp(x.data(), before.data(), sizeof(Complex) * x.size()), 0);
}

TEST(Analyt, EmptySignalTouchesNothing)
{
    const Result r = run([] { analyt(nullptr, 0); });
    EXPECT_EQ(r.printed, "");
    EXPECT_EQ(r.misuse, "");
}

}  // namespace
