// Fixtures and helpers shared by the suites of the peak modules (tarsel, hovat, gindle4).
#ifndef TOOLBOX_TESTS_PEAK_TEST_H
#define TOOLBOX_TESTS_PEAK_TEST_H

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "mexhost.h"
#include "peak_literal.h"
#include "sweep.h"

namespace peak_test {

using mexhost::Array;

// A reproducible noise signal of n samples, as a column: real, or complex when asked.
inline Array noise(size_t n, bool complex, unsigned seed = 7)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> re(n), im(n);
    for (size_t i = 0; i < n; ++i) {
        re[i] = u(gen);
        im[i] = u(gen);
    }
    return complex ? mexhost::cplx(n, 1, re, im) : mexhost::column(re);
}

// The complex tone exp(j 2 pi f n), n = 0 .. len-1.
inline Array tone(size_t len, double f)
{
    std::vector<double> re(len), im(len);
    for (size_t i = 0; i < len; ++i) {
        re[i] = std::cos(2 * M_PI * f * static_cast<double>(i));
        im[i] = std::sin(2 * M_PI * f * static_cast<double>(i));
    }
    return mexhost::cplx(len, 1, re, im);
}

// A real linear chirp whose frequency runs from f0 at n = 0 to f1 at n = len.
inline Array chirp(size_t len, double f0, double f1)
{
    std::vector<double> re(len);
    const double rate = (f1 - f0) / static_cast<double>(len);
    for (size_t i = 0; i < len; ++i) {
        const double n = static_cast<double>(i);
        re[i] = std::cos(2 * M_PI * (f0 * n + 0.5 * rate * n * n));
    }
    return mexhost::column(re);
}
inline double chirp_if(size_t len, double f0, double f1, double n)
{
    return f0 + (f1 - f0) * n / static_cast<double>(len);
}

// Same shape, class, complexity and bits.
inline ::testing::AssertionResult same_array(const Array& a, const Array& b)
{
    if (a.m != b.m || a.n != b.n || a.cls != b.cls || a.complex != b.complex)
        return ::testing::AssertionFailure() << a.m << "x" << a.n << " vs " << b.m << "x" << b.n;
    for (size_t i = 0; i < a.re.size(); ++i)
        if (!same_bits(a.re[i], b.re[i]))
            return ::testing::AssertionFailure() << "element " << i << ": " << a.re[i] << " vs " << b.re[i];
    for (size_t i = 0; i < a.im.size(); ++i)
        if (!same_bits(a.im[i], b.im[i])) return ::testing::AssertionFailure() << "imaginary element " << i;
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult same_values(const Array& a, const std::vector<double>& want)
{
    if (a.re.size() != want.size())
        return ::testing::AssertionFailure() << a.re.size() << " values, want " << want.size();
    for (size_t i = 0; i < want.size(); ++i)
        if (!same_bits(a.re[i], want[i]))
            return ::testing::AssertionFailure() << "element " << i << ": " << a.re[i] << " vs " << want[i];
    return ::testing::AssertionSuccess();
}

// A successful call: nothing printed, nothing raised, one real double output.
inline mexhost::Result ok_call(const std::string& module, std::vector<Array> args)
{
    mexhost::Result r = mexhost::call(module, 1, args);
    EXPECT_EQ(r.printed, "") << module;
    EXPECT_FALSE(r.raised) << r.error;
    EXPECT_EQ(r.misuse, "");
    EXPECT_TRUE(r.assigned.at(0));
    return r;
}

inline std::vector<double> real_part(const Array& a) { return a.re; }
inline std::vector<double> imag_part(const Array& a) { return a.complex ? a.im : std::vector<double>{}; }

// One call of a peak module: signal, W, T and, when f is not 0, the FFT length.
struct Case {
    const char* what;
    Array x;
    int w, t, f;
};

inline std::vector<Array> case_args(const Case& c)
{
    std::vector<Array> args = {c.x, mexhost::scalar(c.w), mexhost::scalar(c.t)};
    if (c.f) args.push_back(mexhost::scalar(c.f));
    return args;
}

// Each case against the computation written out step by step on the literal FFT, bit for bit.
// literal_fn(re, im, W, T, log2 NFFT) is the module's literal computation.
template <class Literal>
void expect_literal(const std::string& module, const std::vector<Case>& cases, Literal literal_fn)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int nfft_at_least = c.f > c.w ? c.f : c.w;
        EXPECT_TRUE(same_values(ok_call(module, case_args(c)).out(),
                                literal_fn(c.x.re, imag_part(c.x), c.w, c.t, literal::log2_ceil(nfft_at_least))));
    }
}

// After the analytic step failed, the module went on with the real signal re as it is: its
// output equals a call with (re, 0) given as a complex signal (W = 9, T = 3).
inline void expect_went_on_with_real_signal(const mexhost::Result& r, const std::string& module,
                                            const std::vector<double>& re)
{
    EXPECT_EQ(r.printed, error_text("analyt", "Memory allocation failed: Y"));
    const Array as_is = mexhost::cplx(re.size(), 1, re, std::vector<double>(re.size(), 0.0));
    EXPECT_TRUE(same_array(r.out(), ok_call(module, {as_is, mexhost::scalar(9), mexhost::scalar(3)}).out()));
}

}  // namespace peak_test

#endif
