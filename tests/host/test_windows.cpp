// Bartlett, Hann and Hamming windows.
#include <climits>
#include <cmath>
#include <vector>

#include "sweep.h"
#include "windows.h"

namespace {

using WindowFn = void (*)(double*, int);

const struct {
    const char* name;
    WindowFn fn;
} kWindows[] = {{"bartlett", window_bartlett}, {"hann", window_hann}, {"hamming", window_hamming}};

std::vector<double> window(WindowFn fn, int n)
{
    std::vector<double> w(n, -99.0);
    fn(w.data(), n);
    return w;
}

TEST(Windows, ShortLengths)
{
    const struct {
        WindowFn fn;
        std::vector<double> want;
    } cases[] = {
        {window_bartlett, {1.0}},
        {window_hann, {1.0}},
        {window_hamming, {1.0}},
        {window_bartlett, {0.0, 0.0}},
        {window_hann, {0.0, 0.0}},
        {window_hamming, {0.08, 0.08}},
        {window_bartlett, {0.0, 1.0, 0.0}},
        {window_hann, {0.0, 1.0, 0.0}},
        {window_hamming, {0.08, 1.0, 0.08}},
        {window_bartlett, {0.0, 2.0 / 3.0, 2.0 / 3.0, 0.0}},
        {window_hann, {0.0, 0.75, 0.75, 0.0}},
        {window_hamming, {0.08, 0.77, 0.77, 0.08}},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.want.size());
        const std::vector<double> w = window(c.fn, n);
        for (int i = 0; i < n; ++i) EXPECT_NEAR(w[i], c.want[i], 1e-15) << "n " << n << " i " << i;
    }
}

TEST(Windows, NothingWrittenForNoPoints)
{
    for (const auto& win : kWindows) {
        for (int n : {0, -1, INT_MIN}) {
            double w[2] = {-99.0, -99.0};
            win.fn(w, n);
            EXPECT_TRUE(w[0] == -99.0 && w[1] == -99.0) << win.name << " " << n;
        }
    }
}

TEST(Windows, SymmetricWithTheirEndValues)
{
    for (const auto& win : kWindows) {
        for (int n : {5, 6, 31, 64, 1001}) {
            const std::vector<double> w = window(win.fn, n);
            for (int i = 0; i < n; ++i) EXPECT_NEAR(w[i], w[n - 1 - i], 1e-15) << win.name << " " << n;
            const double end = win.fn == window_hamming ? 0.08 : 0.0;
            EXPECT_NEAR(w[0], end, 1e-15) << win.name;
            EXPECT_NEAR(w[n - 1], end, 1e-15) << win.name;
            if (n % 2) {
                EXPECT_EQ(w[n / 2], 1.0) << win.name << " " << n;
            }
        }
    }
}

// The Bartlett centre (n - 1) / 2 is held in single precision: exact up to n = 2^24 + 1, and
// one more point moves it from 2^23 + 0.5 to 2^23, which shows at both ends of the window.
TEST(Windows, BartlettCentreInSinglePrecision)
{
    const int n = (1 << 24) + 2;
    const std::vector<double> w = window(window_bartlett, n);
    EXPECT_EQ(w[0], 0.0);
    EXPECT_EQ(w[1 << 23], 1.0);
    EXPECT_EQ(w[n - 1], -std::ldexp(1.0, -23));
}

}  // namespace
