// delfo: the ambiguity function, called through the host.
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <set>

#include "analyt.h"
#include "fft_literal.h"
#include "sweep.h"

using namespace mexhost;

namespace {

const double kPi = 3.141592653589793;

// The W-by-P complex output of a successful call.
Array ambiguity(const Result& r, size_t W, size_t P)
{
    EXPECT_EQ(r.printed, "");
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.misuse, "");
    EXPECT_TRUE(r.assigned.at(0));
    const Array& a = r.out();
    EXPECT_EQ(a.cls, mxDOUBLE_CLASS);
    EXPECT_TRUE(a.complex);
    EXPECT_EQ(a.m, W);
    EXPECT_EQ(a.n, P);
    if (!a.complex || a.re.size() != W * P) {  // failed above; NaNs keep callers in bounds and failing
        const std::vector<double> nan(W * P, std::nan(""));
        return cplx(W, P, nan, nan);
    }
    return a;
}

bool row_is_zero(const Array& a, size_t r)
{
    for (size_t c = 0; c < a.n; ++c)
        if (!same_bits(a.re[r + c * a.m], 0.0) || !same_bits(a.im[r + c * a.m], 0.0)) return false;
    return true;
}

::testing::AssertionResult same_array(const Array& a, const Array& b)
{
    if (a.m != b.m || a.n != b.n || a.complex != b.complex) return ::testing::AssertionFailure() << "shapes differ";
    for (size_t i = 0; i < a.numel(); ++i)
        if (!same_bits(a.re[i], b.re[i]) || (a.complex && !same_bits(a.im[i], b.im[i])))
            return ::testing::AssertionFailure() << "element " << i;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(Delfo, MessagesInCheckOrder)
{
    const Array x = row({1, 2, 3, 4});
    const struct {
        const char* what;
        int nlhs;
        std::vector<Array> args;
        const char* msg;
    } cases[] = {
        {"no input", 1, {}, "Three input arguments must exist"},
        {"two inputs", 1, {x, scalar(1)}, "Three input arguments must exist"},
        {"four inputs", 1, {x, scalar(1), scalar(3), scalar(1)}, "Three input arguments must exist"},
        {"input count before outputs", 2, {x, scalar(1)}, "Three input arguments must exist"},
        {"two outputs", 2, {x, scalar(1), scalar(3)}, "Only one output argument must exist."},
        {"outputs before the signal", 2, {str("ab"), scalar(1), scalar(3)}, "Only one output argument must exist."},
        {"char signal", 1, {str("abcd"), scalar(1), scalar(3)}, "Input signal must\tbe a vector"},
        {"sparse signal", 1, {sparse(1, 4, {1, 0, 0, 1}), scalar(1), scalar(3)}, "Input signal must\tbe a vector"},
        {"logical signal", 1, {of_class(mxLOGICAL_CLASS, 1, 3, {1, 0, 1}), scalar(1), scalar(3)},
         "Input signal must\tbe a vector"},
        {"struct signal", 1, {strct(1, 3), scalar(1), scalar(3)}, "Input signal must\tbe a vector"},
        {"1x1 signal", 1, {scalar(2), scalar(1), scalar(3)}, "Input signal must\tbe a vector"},
        {"3x4 signal", 1, {real(3, 4), scalar(1), scalar(3)}, "Input signal must\tbe a vector"},
        {"1x0 signal", 1, {empty(1, 0), scalar(1), scalar(3)}, "Input signal must\tbe a vector"},
        {"1x2 lag resolution", 1, {x, row({1, 2}), scalar(3)}, "Lag resolution must be an integer"},
        {"char lag resolution", 1, {x, str("1"), scalar(3)}, "Lag resolution must be an integer"},
        {"sparse lag resolution", 1, {x, sparse_scalar(1), scalar(3)}, "Lag resolution must be an integer"},
        {"lag resolution before window", 1, {x, row({1, 2}), row({1, 2})}, "Lag resolution must be an integer"},
        {"lag resolution 0.5", 1, {x, scalar(0.5), scalar(3)}, "lag resolution must be greater than zero"},
        {"lag resolution -3", 1, {x, scalar(-3), scalar(3)}, "lag resolution must be greater than zero"},
        {"lag resolution NaN", 1, {x, scalar(std::nan("")), scalar(3)}, "lag resolution must be greater than zero"},
        {"lag resolution 2^40", 1, {x, scalar(1099511627776.0), scalar(3)}, "lag resolution must be greater than zero"},
        {"1x2 window", 1, {x, scalar(1), row({3, 3})}, "window length must be an integer"},
        {"logical window", 1, {x, scalar(1), of_class(mxLOGICAL_CLASS, 1, 1, {1})}, "window length must be an integer"},
        {"window 0.9", 1, {x, scalar(1), scalar(0.9)}, "window length  must be greater than zero"},
        {"window -inf", 1, {x, scalar(1), scalar(-std::numeric_limits<double>::infinity())},
         "window length  must be greater than zero"},
        {"no output, bad window", 0, {x, scalar(1), scalar(0)}, "window length  must be greater than zero"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(is_error_exit(call("delfo", c.nlhs, c.args), "Amb", c.msg, c.nlhs));
    }
}

// The centre row is (W+1)/2 and lags stop below (W-1)/2, so rows 0 and 1 (and W-1 for even W)
// stay zero, as do the rows of lags between multiples of R.
TEST(Delfo, WrittenRows)
{
    const Array x = random_complex(1, 8, 1);
    const struct {
        int W, R;
        std::set<size_t> rows;
    } cases[] = {
        {1, 1, {}},        {1, 2, {}},     {2, 1, {}},           {2, 2, {}},        {3, 1, {2}},
        {3, 2, {2}},       {5, 1, {2, 3, 4}}, {5, 2, {3}},       {6, 1, {2, 3, 4}}, {6, 2, {3}},
        {7, 1, {2, 3, 4, 5, 6}}, {7, 2, {2, 4, 6}}, {7, 3, {4}}, {9, 3, {2, 5, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("W = " + std::to_string(c.W) + ", R = " + std::to_string(c.R));
        const Array a = ambiguity(call("delfo", 1, {x, scalar(c.R), scalar(c.W)}), c.W, 8);
        for (size_t r = 0; r < a.m; ++r) EXPECT_EQ(row_is_zero(a, r), c.rows.count(r) == 0) << "row " << r;
    }
}

// Row B+m holds the spectrum over time of z(i+m)·conj(z(i-m)), row B-m that of its conjugate,
// with Doppler bin 0 in column P/2. N = 5 is padded to P = 8 time samples. (The FFT rounds its
// rotation angles to single precision, hence the tolerance.)
TEST(Delfo, LagSpectra)
{
    const size_t N = 5, P = 8, W = 7, B = 4;
    const Array x = random_complex(1, N, 2);
    const Array a = ambiguity(call("delfo", 1, {x, scalar(1), scalar(W)}), W, P);
    std::vector<std::complex<double>> z(N);
    for (size_t i = 0; i < N; ++i) z[i] = {x.re[i], x.im[i]};
    for (long m = 0; m <= 2; ++m) {
        for (size_t c = 0; c < P; ++c) {
            const double k = static_cast<double>(c) - static_cast<double>(P / 2);  // Doppler bin
            std::complex<double> sp = 0, sn = 0;
            for (long i = m; i + m < static_cast<long>(N); ++i) {
                const std::complex<double> p = z[i + m] * std::conj(z[i - m]);
                const std::complex<double> rot = std::polar(1.0, -2 * kPi * static_cast<double>(i) * k / P);
                sp += p * rot;
                sn += std::conj(p) * rot;
            }
            EXPECT_NEAR(a.re[(B + m) + c * W], sp.real(), 1e-6) << "m " << m << " c " << c;
            EXPECT_NEAR(a.im[(B + m) + c * W], sp.imag(), 1e-6) << "m " << m << " c " << c;
            if (m > 0) {
                EXPECT_NEAR(a.re[(B - m) + c * W], sn.real(), 1e-6) << "m " << -m << " c " << c;
                EXPECT_NEAR(a.im[(B - m) + c * W], sn.imag(), 1e-6) << "m " << -m << " c " << c;
            }
        }
    }
}

// The ambiguity function as written out lag by lag with the literal FFT: the module (fast FFT,
// lags written in batches) must give the same bits.
Array literal_ambiguity(const Array& x, int R, int W)
{
    const long N = static_cast<long>(x.numel());
    int P = 1, log2P = 0;
    while (P < N) {
        P *= 2;
        ++log2P;
    }
    Array out = cplx(W, P, {}, {});
    const long H = (W - 1) / 2, B = (W + 1) / 2;
    for (long m = 0; m < H; m += R) {
        std::vector<Complex> pos(P, Complex{0, 0}), neg(P, Complex{0, 0});
        for (long i = m; i + m < N; ++i) {
            const Complex a = {x.re[i + m], x.im[i + m]}, b = {x.re[i - m], x.im[i - m]};
            pos[i] = Complex{a.im * b.im + a.re * b.re, a.im * b.re - b.im * a.re};
            neg[i] = Complex{pos[i].re, -pos[i].im};
        }
        fft_literal(pos.data(), log2P, 1);
        fft_literal(neg.data(), log2P, 1);
        for (long c = 0; c < P; ++c) {
            const long k = (c + P / 2) % P;
            out.re[(B - m) + c * W] = neg[k].re;
            out.im[(B - m) + c * W] = neg[k].im;
            out.re[(B + m) + c * W] = pos[k].re;
            out.im[(B + m) + c * W] = pos[k].im;
        }
    }
    return out;
}

TEST(Delfo, SameBitsAsTheLiteralAlgorithm)
{
    // 20 lags for W = 41, R = 1 span more than one batch.
    const struct {
        size_t N;
        int R, W;
    } cases[] = {{5, 1, 7}, {20, 1, 41}, {20, 3, 41}, {33, 2, 30}, {300, 1, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE("N = " + std::to_string(c.N) + ", R = " + std::to_string(c.R) + ", W = " + std::to_string(c.W));
        const Array x = random_complex(1, c.N, 7);
        const Array want = literal_ambiguity(x, c.R, c.W);
        EXPECT_TRUE(same_array(ambiguity(call("delfo", 1, {x, scalar(c.R), scalar(c.W)}), c.W, want.n), want));
    }
}

// A real signal is made analytic; the same values stored as complex are used as they are.
TEST(Delfo, RealAndComplexInput)
{
    const std::vector<double> x = {0.4, 1, -0.3, -0.9, 0.1, 0.8, 0.2, -0.6, -0.5};
    std::vector<Complex> z(x.size());
    for (size_t i = 0; i < x.size(); ++i) z[i] = Complex{x[i], 0};
    run([&] { analyt(z.data(), static_cast<unsigned>(z.size())); });
    std::vector<double> zr, zi;
    for (const Complex& v : z) {
        zr.push_back(v.re);
        zi.push_back(v.im);
    }
    const Array from_real = ambiguity(call("delfo", 1, {column(x), scalar(1), scalar(5)}), 5, 16);
    EXPECT_TRUE(same_array(from_real, ambiguity(call("delfo", 1, {cplx(x.size(), 1, zr, zi), scalar(1), scalar(5)}), 5, 16)));

    const Array zero_im = cplx(1, x.size(), x, std::vector<double>(x.size(), 0.0));
    const Array stored = ambiguity(call("delfo", 1, {zero_im, scalar(1), scalar(5)}), 5, 16);
    EXPECT_FALSE(same_array(from_real, stored));
    // Doppler 0 of lag 0 is the signal's energy: sum of x^2 for the values as stored.
    double energy = 0;
    for (double v : x) energy += v * v;
    EXPECT_NEAR(stored.re[3 + 8 * 5], energy, 1e-12);
}

// Parameters are truncated toward zero whatever their class; the signal is read by value.
TEST(Delfo, ParameterAndSignalClasses)
{
    const Array x = random_complex(1, 6, 3);
    const Array base = ambiguity(call("delfo", 1, {x, scalar(2), scalar(7)}), 7, 8);
    EXPECT_TRUE(same_array(base, ambiguity(call("delfo", 1, {x, scalar(2.7), scalar(7.9)}), 7, 8)));
    EXPECT_TRUE(same_array(base, ambiguity(call("delfo", 1, {x, of_class(mxINT8_CLASS, 1, 1, {2}),
                                                            of_class(mxSINGLE_CLASS, 1, 1, {7.5})}),
                                           7, 8)));
    EXPECT_TRUE(same_array(base, ambiguity(call("delfo", 1, {x, cscalar(2, 5), scalar(7)}), 7, 8)));

    const std::vector<double> v = {3, -1, 4, 1, -5, 9, 2};
    const Array dbl = ambiguity(call("delfo", 1, {row(v), scalar(1), scalar(5)}), 5, 8);
    EXPECT_TRUE(same_array(dbl, ambiguity(call("delfo", 1, {of_class(mxINT16_CLASS, 1, 7, v), scalar(1), scalar(5)}), 5, 8)));
    EXPECT_TRUE(same_array(dbl, ambiguity(call("delfo", 1, {of_class(mxSINGLE_CLASS, 7, 1, v), scalar(1), scalar(5)}), 5, 8)));
}

// Two samples make the smallest output; with no output requested slot 0 is still filled.
TEST(Delfo, SmallestSignalAndNoOutput)
{
    const Array x = random_complex(1, 2, 4);
    const Array two = ambiguity(call("delfo", 1, {x, scalar(1), scalar(3)}), 3, 2);
    EXPECT_FALSE(row_is_zero(two, 2));
    EXPECT_TRUE(same_array(two, ambiguity(call("delfo", 0, {x, scalar(1), scalar(3)}), 3, 2)));
    // Lags reaching past both ends of the signal transform all-zero products.
    const Array wide = ambiguity(call("delfo", 1, {x, scalar(1), scalar(11)}), 11, 2);
    for (size_t i = 0; i < wide.numel(); ++i) {
        if (i % 11 != 6) {
            EXPECT_EQ(wide.re[i], 0.0) << i;
            EXPECT_EQ(wide.im[i], 0.0) << i;
        }
    }
}

// Real double input: output, signal buffer, analytic buffer, the lag-spectra block.
ALLOC_SWEEP(Delfo, SweepCase{"delfo", 1, {row({0.5, -1, 0.25, 2, -0.75}), scalar(1), scalar(5)},
                              [](const Result& r, long k) {
                                  if (k == 1) {
                                      EXPECT_EQ(r.printed, error_text("Amb", "Internal memory allocation failure"));
                                      EXPECT_TRUE(is_empty_output(r));
                                      return;
                                  }
                                  ASSERT_TRUE(r.assigned.at(0));
                                  const Array& a = r.out();
                                  ASSERT_EQ(a.m, 5u);
                                  ASSERT_EQ(a.n, 8u);
                                  ASSERT_TRUE(a.complex);
                                  if (k == 3) {
                                      // Without the analytic signal the real samples are used.
                                      EXPECT_EQ(r.printed, error_text("analyt", "Memory allocation failed: Y"));
                                      const Array z = cplx(1, 5, {0.5, -1, 0.25, 2, -0.75}, {});
                                      EXPECT_TRUE(same_array(a, call("delfo", 1, {z, scalar(1), scalar(5)}).out()));
                                      return;
                                  }
                                  EXPECT_TRUE(k == 2 || k == 4);
                                  EXPECT_EQ(r.printed, error_text("Amb", "Memory allocation failed"));
                                  for (size_t i = 0; i < a.numel(); ++i)
                                      EXPECT_TRUE(same_bits(a.re[i], 0.0) && same_bits(a.im[i], 0.0)) << i;
                              }});

// Single input adds the converted block before the signal buffer.
ALLOC_SWEEP(DelfoSingle, SweepCase{"delfo", 1, {of_class(mxSINGLE_CLASS, 4, 1, {1, -2, 0.5, 3}), scalar(2), scalar(4)},
                                    [](const Result& r, long k) {
                                        if (k == 1) {
                                            EXPECT_TRUE(is_empty_output(r));
                                            return;
                                        }
                                        ASSERT_TRUE(r.assigned.at(0));
                                        ASSERT_EQ(r.out().m, 4u);
                                        EXPECT_LE(k, 5);
                                        EXPECT_EQ(r.printed, k == 4 ? error_text("analyt", "Memory allocation failed: Y")
                                                                    : error_text("Amb", "Memory allocation failed"));
                                    }});
