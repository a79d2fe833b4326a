// nupe and yeskel: the adaptive IF estimators, called through the host.
#include <cmath>
#include <limits>
#include <random>

#include "analyt.h"
#include "sweep.h"

using namespace mexhost;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = 3.141592653589793;

// The two modules differ in name, parameter name and update; the cases below run for both.
struct Estimator {
    const char* module;
    const char* param;  // as named in the messages
};
const Estimator kBoth[] = {{"nupe", "alpha"}, {"yeskel", "mu"}};

std::string not_scalar(const Estimator& e)
{
    return std::string("Forgetting factor '") + e.param + "' must be a real scalar";
}

std::string negative(const Estimator& e)
{
    return std::string("Forgetting factor '") + e.param + "' must be a non-negative scalar";
}

Array tone(double f, size_t n)
{
    std::vector<double> re(n), im(n);
    for (size_t k = 0; k < n; ++k) {
        re[k] = std::cos(2 * kPi * f * k);
        im[k] = std::sin(2 * kPi * f * k);
    }
    return cplx(n, 1, re, im);
}

// The analytic signal of real samples, as the shared routine makes it, stored as a complex array.
Array analytic_of(const std::vector<double>& x)
{
    std::vector<Complex> z(x.size());
    for (size_t k = 0; k < x.size(); ++k) z[k] = Complex{x[k], 0.0};
    run([&] { analyt(z.data(), static_cast<unsigned>(z.size())); });
    std::vector<double> re(x.size()), im(x.size());
    for (size_t k = 0; k < x.size(); ++k) {
        re[k] = z[k].re;
        im[k] = z[k].im;
    }
    return cplx(x.size(), 1, re, im);
}

// The output column of a successful call, after checking what every success has in common.
std::vector<double> estimates(const Result& r, size_t L)
{
    EXPECT_EQ(r.printed, "");
    EXPECT_FALSE(r.raised);
    EXPECT_TRUE(r.assigned.at(0));
    const Array& f = r.out();
    EXPECT_EQ(f.cls, mxDOUBLE_CLASS);
    EXPECT_FALSE(f.complex);
    EXPECT_EQ(f.m, L);
    EXPECT_EQ(f.n, 1u);
    if (f.re.size() != L) return std::vector<double>(L, -1.0);  // failed above; keeps callers in bounds
    if (L > 0) {
        EXPECT_TRUE(same_bits(f.re[0], 0.0)) << "out[0] must stay +0";
    }
    return f.re;
}

::testing::AssertionResult same_column(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size()) return ::testing::AssertionFailure() << "lengths " << a.size() << ", " << b.size();
    for (size_t i = 0; i < a.size(); ++i)
        if (!same_bits(a[i], b[i]))
            return ::testing::AssertionFailure() << "element " << i << ": " << a[i] << " vs " << b[i];
    return ::testing::AssertionSuccess();
}

// The update equations written out from their definition, for complex input (no analytic
// step): the parameter as given, so the caller decides its precision.
std::vector<double> reference(bool rls, const Array& s, double param)
{
    const size_t L = s.numel();
    std::vector<double> out(L, 0.0);
    double wr = s.re[0], wi = s.im[0], P = 1;
    for (size_t i = 1; i < L; ++i) {
        const double xr = s.re[i - 1], xi = s.im[i - 1], yr = s.re[i], yi = s.im[i];
        const double er = (xr * wr - xi * wi) + yr, ei = (xi * wr + xr * wi) + yi;
        if (rls) {
            P = 1 / (xi * xi + (xr * xr + param / P));
            wr = wr - (P * xi * ei + xr * P * er);
            wi = wi - (ei * xr * P - er * P * xi);
        } else {
            const double g = param + param;
            wr = wr - (xi * ei + xr * er) * g;
            wi = wi - g * (ei * xr - er * xi);
        }
        double t = std::atan(wi / wr);
        if (t < 0) t += kPi;
        out[i] = t / 6.283185307179586;
    }
    return out;
}

struct MessageCase {
    const char* what;
    int nlhs;
    std::vector<Array> args;
    int which;  // 0: the text below; 1: parameter not a scalar; 2: parameter negative
    const char* text;
};

}  // namespace

TEST(Adaptive, MessagesInCheckOrder)
{
    const Array s = row({1, 2, 3, 4});
    const MessageCase cases[] = {
        {"three inputs", 1, {s, scalar(0.5), scalar(1)}, 0, "Too many input arguments"},
        {"three bad inputs", 2, {str("x"), str("y"), str("z")}, 0, "Too many input arguments"},
        {"one input", 1, {s}, 0, "Not enough input arguments"},
        {"no input", 1, {}, 0, "Not enough input arguments"},
        {"char signal", 1, {str("abcd"), scalar(0.5)}, 0, "Input must be a vector"},
        {"logical signal", 1, {of_class(mxLOGICAL_CLASS, 1, 3, {1, 0, 1}), scalar(0.5)}, 0, "Input must be a vector"},
        {"sparse signal", 1, {sparse(1, 4, {1, 0, 0, 1}), scalar(0.5)}, 0, "Input must be a vector"},
        {"cell signal", 1, {cell(1, 3), scalar(0.5)}, 0, "Input must be a vector"},
        {"1x1 signal", 1, {scalar(3), scalar(0.5)}, 0, "Input must be a vector"},
        {"3x4 signal", 1, {real(3, 4), scalar(0.5)}, 0, "Input must be a vector"},
        {"1x0 signal", 1, {empty(1, 0), scalar(0.5)}, 0, "Input must be a vector"},
        {"0x1 signal", 1, {empty(0, 1), scalar(0.5)}, 0, "Input must be a vector"},
        {"bad signal before bad parameter and outputs", 2, {real(2, 2), row({1, 1})}, 0, "Input must be a vector"},
        {"1x2 parameter", 1, {s, row({0.9, 0.9})}, 1, nullptr},
        {"char parameter", 1, {s, str("a")}, 1, nullptr},
        {"logical parameter", 1, {s, of_class(mxLOGICAL_CLASS, 1, 1, {1})}, 1, nullptr},
        {"sparse parameter", 1, {s, sparse_scalar(0.5)}, 1, nullptr},
        {"empty parameter", 1, {s, empty(0, 0)}, 1, nullptr},
        {"bad parameter before outputs", 3, {s, row({0.9, 0.9})}, 1, nullptr},
        {"negative parameter", 1, {s, scalar(-0.1)}, 2, nullptr},
        {"minus infinity", 1, {s, scalar(-std::numeric_limits<double>::infinity())}, 2, nullptr},
        {"negative int8 parameter", 1, {s, of_class(mxINT8_CLASS, 1, 1, {-1})}, 2, nullptr},
        {"negative parameter before outputs", 2, {s, scalar(-1)}, 2, nullptr},
        {"two outputs", 2, {s, scalar(0.5)}, 0, "Too many output arguments"},
        {"no output, bad input", 0, {s}, 0, "Not enough input arguments"},
    };
    for (const Estimator& e : kBoth) {
        for (const MessageCase& c : cases) {
            SCOPED_TRACE(std::string(e.module) + ": " + c.what);
            const std::string msg = c.which == 1 ? not_scalar(e) : c.which == 2 ? negative(e) : c.text;
            EXPECT_TRUE(is_error_exit(call(e.module, c.nlhs, c.args), e.module, msg, c.nlhs));
        }
    }
}

// alpha is rounded to single precision before its test and its use; mu is not rounded.
TEST(Adaptive, ParameterPrecision)
{
    const Array s = random_complex(40, 1, 1);
    const double single99 = static_cast<double>(0.99f);
    const std::vector<double> nupe99 = estimates(call("nupe", 1, {s, scalar(0.99)}), 40);
    EXPECT_TRUE(same_column(nupe99, reference(true, s, single99)));
    EXPECT_FALSE(same_column(nupe99, reference(true, s, 0.99)));
    const std::vector<double> yeskel99 = estimates(call("yeskel", 1, {s, scalar(0.99)}), 40);
    EXPECT_TRUE(same_column(yeskel99, reference(false, s, 0.99)));
    EXPECT_FALSE(same_column(yeskel99, reference(false, s, single99)));

    // -1e-50 is -0 in single precision, which is not below zero.
    EXPECT_EQ(call("nupe", 1, {s, scalar(-1e-50)}).printed, "");
    EXPECT_EQ(call("yeskel", 1, {s, scalar(-1e-50)}).printed,
              error_text("yeskel", "Forgetting factor 'mu' must be a non-negative scalar"));
}

// Every numeric class and a complex parameter are read through their (real) value.
TEST(Adaptive, ParameterAndSignalClasses)
{
    const Array s = random_complex(12, 1, 2);
    const std::vector<double> x = {0.5, -1.25, 2, 3.5, -0.75, 1, 0, 2.25};
    for (const Estimator& e : kBoth) {
        SCOPED_TRACE(e.module);
        const std::vector<double> base = estimates(call(e.module, 1, {s, scalar(0.5)}), 12);
        EXPECT_TRUE(same_column(base, estimates(call(e.module, 1, {s, cscalar(0.5, 3)}), 12)));
        EXPECT_TRUE(same_column(base, estimates(call(e.module, 1, {s, of_class(mxSINGLE_CLASS, 1, 1, {0.5})}), 12)));
        const std::vector<double> one = estimates(call(e.module, 1, {s, scalar(1)}), 12);
        EXPECT_TRUE(same_column(one, estimates(call(e.module, 1, {s, of_class(mxUINT8_CLASS, 1, 1, {1})}), 12)));

        const std::vector<double> dbl = estimates(call(e.module, 1, {row(x), scalar(0.3)}), 8);
        EXPECT_TRUE(same_column(dbl, estimates(call(e.module, 1, {of_class(mxSINGLE_CLASS, 1, 8, x), scalar(0.3)}), 8)));
        std::vector<double> ints = {1, -2, 3, 7, -5, 0, 4, 2};
        EXPECT_TRUE(same_column(estimates(call(e.module, 1, {column(ints), scalar(0.3)}), 8),
                                estimates(call(e.module, 1, {of_class(mxINT16_CLASS, 8, 1, ints), scalar(0.3)}), 8)));
    }
}

// A row and a column give the same L-by-1 result; a real signal is made analytic first, a
// complex one is used as it is even with zero imaginary parts.
TEST(Adaptive, OrientationAndAnalyticStep)
{
    const std::vector<double> x = {0.3, 1.1, -0.4, -1.2, 0.2, 0.9, 0.5, -0.8, -0.6, 0.7, 1.0};
    for (const Estimator& e : kBoth) {
        SCOPED_TRACE(e.module);
        const std::vector<double> col = estimates(call(e.module, 1, {column(x), scalar(0.4)}), x.size());
        EXPECT_TRUE(same_column(col, estimates(call(e.module, 1, {row(x), scalar(0.4)}), x.size())));
        EXPECT_TRUE(same_column(col, estimates(call(e.module, 1, {analytic_of(x), scalar(0.4)}), x.size())));
        const Array zero_im = cplx(x.size(), 1, x, std::vector<double>(x.size(), 0.0));
        EXPECT_FALSE(same_column(col, estimates(call(e.module, 1, {zero_im, scalar(0.4)}), x.size())));
    }
}

// Tones converge on their frequency folded into [0, 0.5): 0.6 reads as 0.1, -0.1 as 0.4.
TEST(Adaptive, TonesConverge)
{
    const size_t L = 400;
    const struct {
        double f, want;
    } tones[] = {{0.1, 0.1}, {0.6, 0.1}, {-0.1, 0.4}, {0.35, 0.35}};
    const struct {
        const char* module;
        double param;
    } runs[] = {{"nupe", 0.9}, {"yeskel", 0.1}};
    for (const auto& m : runs) {
        for (const auto& t : tones) {
            SCOPED_TRACE(std::string(m.module) + " at " + std::to_string(t.f));
            const std::vector<double> f = estimates(call(m.module, 1, {tone(t.f, L), scalar(m.param)}), L);
            for (size_t i = L - 50; i < L; ++i) ASSERT_NEAR(f[i], t.want, 1e-6) << "sample " << i;
        }
    }
}

// With alpha = 0 each step solves the predictor exactly: the estimate is the phase advance from
// the previous sample, folded into half a turn. A zero sample then makes P infinite.
TEST(Adaptive, ZeroAlphaIsThePhaseAdvance)
{
    const Array s = random_complex(30, 1, 3);
    const std::vector<double> f = estimates(call("nupe", 1, {s, scalar(0)}), 30);
    for (size_t i = 1; i < 30; ++i) {
        const double adv = std::atan2(s.im[i], s.re[i]) - std::atan2(s.im[i - 1], s.re[i - 1]);
        const double folded = std::fmod(std::fmod(adv, kPi) + kPi, kPi) / (2 * kPi);
        const double d = std::fabs(f[i] - folded);
        EXPECT_LT(std::min(d, 0.5 - d), 1e-12) << "sample " << i;  // 0 and 0.5 are one point
    }

    // Predicting the zero sample drives w to (nearly) zero; the step from it divides by zero.
    const Array with_zero = cplx(6, 1, {1, 0.5, 0, 1, -1, 0.3}, {0, 0.3, 0, 1, 0.2, 0.1});
    const std::vector<double> g = estimates(call("nupe", 1, {with_zero, scalar(0)}), 6);
    EXPECT_FALSE(std::isnan(g[1]));
    for (size_t i = 3; i < 6; ++i) EXPECT_TRUE(std::isnan(g[i])) << i;
}

// mu = 0 leaves the weight at the first (analytic) sample.
TEST(Adaptive, ZeroMuKeepsTheFirstSample)
{
    const Array s = cplx(5, 1, {-1, 0.3, 2, -0.5, 1}, {-1, 0.8, 0.1, 0.4, -2});
    const std::vector<double> f = estimates(call("yeskel", 1, {s, scalar(0)}), 5);
    for (size_t i = 1; i < 5; ++i) EXPECT_EQ(f[i], 0.125) << i;  // atan((-1)/(-1)) = pi/4

    const std::vector<double> x = {0.3, -1, 0.6, 0.2, -0.4, 0.9};
    const Array z = analytic_of(x);
    double t = std::atan(z.im[0] / z.re[0]);
    if (t < 0) t += kPi;
    const std::vector<double> g = estimates(call("yeskel", 1, {row(x), scalar(0)}), 6);
    for (size_t i = 1; i < 6; ++i) EXPECT_EQ(g[i], t / 6.283185307179586) << i;
}

// Two samples: one step. From 1 to i the weight becomes -i exactly (w.re = 0), which reads 0.25.
TEST(Adaptive, TwoSamples)
{
    const Array s = cplx(1, 2, {1, 0}, {0, 1});
    EXPECT_EQ(estimates(call("nupe", 1, {s, scalar(0)}), 2)[1], 0.25);
    EXPECT_EQ(estimates(call("yeskel", 1, {s, scalar(0.5)}), 2)[1], 0.25);
    // A real pair stays real through the analytic step: the weight keeps a zero imaginary part.
    for (const Estimator& e : kBoth) {
        const std::vector<double> f = estimates(call(e.module, 1, {row({1, 2}), scalar(0.5)}), 2);
        EXPECT_EQ(f[1], 0.0) << e.module;
    }
}

// A NaN parameter passes the test and turns every estimate after the first into NaN.
TEST(Adaptive, NaNParameter)
{
    const Array s = random_complex(10, 1, 4);
    for (const Estimator& e : kBoth) {
        const std::vector<double> f = estimates(call(e.module, 1, {s, scalar(kNaN)}), 10);
        for (size_t i = 1; i < 10; ++i) EXPECT_TRUE(std::isnan(f[i])) << e.module << " sample " << i;
    }
}

// With no output requested the estimate still goes to slot 0.
TEST(Adaptive, NoOutputRequested)
{
    const Array s = random_complex(9, 1, 5);
    for (const Estimator& e : kBoth) {
        const Result r = call(e.module, 0, {s, scalar(0.7)});
        EXPECT_TRUE(same_column(estimates(r, 9), estimates(call(e.module, 1, {s, scalar(0.7)}), 9))) << e.module;
    }
}

// Real double input: output, working sequence, analytic buffer.
ALLOC_SWEEP(Nupe, SweepCase{"nupe", 1, {row({0.5, -1, 0.25, 2, -0.75, 1, 0.1, -0.3}), scalar(0.8)},
                             [](const Result& r, long k) {
                                 if (k == 1) {
                                     EXPECT_EQ(r.printed, error_text("nupe", "Internal memory allocation failure"));
                                     EXPECT_TRUE(is_empty_output(r));
                                     return;
                                 }
                                 ASSERT_TRUE(r.assigned.at(0));
                                 ASSERT_EQ(r.out().m, 8u);
                                 if (k == 2) {
                                     EXPECT_EQ(r.printed, error_text("nupe", "Internal\tmemory failure:\tsig"));
                                     for (double v : r.out().re) EXPECT_TRUE(same_bits(v, 0.0));
                                     return;
                                 }
                                 // Without its analytic signal the estimator goes on with the
                                 // real samples themselves.
                                 EXPECT_EQ(k, 3);
                                 EXPECT_EQ(r.printed, error_text("analyt", "Memory allocation failed: Y"));
                                 const Array z = cplx(8, 1, {0.5, -1, 0.25, 2, -0.75, 1, 0.1, -0.3}, {});
                                 const Result plain = call("nupe", 1, {z, scalar(0.8)});
                                 EXPECT_TRUE(same_column(r.out().re, plain.out().re));
                             }});

// Complex single input: output, the two converted blocks, working sequence.
ALLOC_SWEEP(Yeskel,
            SweepCase{"yeskel", 1,
                      {[] {
                           Array s = of_class(mxSINGLE_CLASS, 1, 6, {0.5, -1, 0.25, 2, -0.75, 1});
                           s.complex = true;
                           s.im = {1, 0.5, -0.5, 0, 0.25, -1};
                           return s;
                       }(),
                       scalar(0.05)},
                      [](const Result& r, long k) {
                          if (k == 1) {
                              EXPECT_EQ(r.printed, error_text("yeskel", "Internal memory allocation failure"));
                              EXPECT_TRUE(is_empty_output(r));
                              return;
                          }
                          EXPECT_LE(k, 4);
                          EXPECT_EQ(r.printed, error_text("yeskel", "Internal\tmemory failure:\tsig"));
                          ASSERT_TRUE(r.assigned.at(0));
                          ASSERT_EQ(r.out().m, 6u);
                          for (double v : r.out().re) EXPECT_TRUE(same_bits(v, 0.0));
                      }});
