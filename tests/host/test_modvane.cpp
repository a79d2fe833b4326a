// modvane: argument checks and their texts, the plain and smoothed distributions against the
// literal algorithm and against properties derived independently, the client's fft result
// without an imaginary part, a failing fft call, and allocation failures.
#include <math.h>

#include <cmath>
#include <complex>
#include <random>

#include "modvane_literal.h"
#include "sweep.h"

using namespace mexhost;
using cd = std::complex<double>;

namespace {

const double kPi = 3.141592653589793;

// A real two-component signal: a linear chirp and a weaker tone.
Array chirp(size_t n, bool as_row = false)
{
    std::vector<double> v(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i);
        v[i] = std::cos(2 * kPi * (0.05 * t + 0.3 * t * t / (2.0 * n))) + 0.5 * std::sin(2 * kPi * 0.31 * t + 0.2);
    }
    return as_row ? row(v) : column(v);
}

// A complex signal with varying amplitude (so that |z(t)| differs between columns).
Array wave(size_t n)
{
    std::vector<double> re(n), im(n);
    for (size_t i = 0; i < n; ++i) {
        const double a = 1.0 + 0.05 * static_cast<double>(i), ph = 2 * kPi * (0.11 * i + 0.004 * i * i);
        re[i] = a * std::cos(ph);
        im[i] = a * std::sin(ph);
    }
    return cplx(n, 1, re, im);
}

Result modvane(int nlhs, const std::vector<Array>& args, const Options& opt = {})
{
    return call("modvane", nlhs, args, opt);
}

cd at(const Array& a, size_t i)
{
    return cd(a.re.at(i), a.complex ? a.im.at(i) : 0.0);
}

::testing::AssertionResult same_array(const Array& a, const Array& b)
{
    if (a.m != b.m || a.n != b.n || a.complex != b.complex || a.cls != b.cls)
        return ::testing::AssertionFailure() << a.m << "x" << a.n << (a.complex ? " complex" : " real") << " vs "
                                             << b.m << "x" << b.n << (b.complex ? " complex" : " real");
    for (size_t i = 0; i < a.re.size(); ++i)
        if (!same_bits(a.re[i], b.re[i]))
            return ::testing::AssertionFailure() << "real part differs at " << i << ": " << a.re[i] << " vs " << b.re[i];
    for (size_t i = 0; i < a.im.size(); ++i)
        if (!same_bits(a.im[i], b.im[i]))
            return ::testing::AssertionFailure() << "imaginary part differs at " << i << ": " << a.im[i] << " vs "
                                                 << b.im[i];
    return ::testing::AssertionSuccess();
}

bool all_zero(const Array& a)
{
    for (double v : a.re)
        if (v != 0.0) return false;
    for (double v : a.im)
        if (v != 0.0) return false;
    return true;
}

std::string err(const std::string& msg) { return error_text("modvane", msg); }
std::string wrn(const std::string& msg) { return warning_text("modvane", msg); }

}  // namespace

// Starting from arguments that are all wrong, putting them right one at a time must bring up
// the checks in their order: each case also holds every later fault.
TEST(Modvane, MessagesInCheckOrder)
{
    const Array x = chirp(100);
    const std::vector<Array> good = {x, scalar(1), scalar(128), scalar(0), scalar(5), str("hann")};
    const std::vector<Array> bad = {scalar(3), scalar(0), scalar(0), scalar(2), scalar(0), scalar(5)};
    const char* const msgs[] = {"Input must be a vector",
                                "Time resolution length must be greater than zero",
                                "FFT length must be greater than zero",
                                "1 or 0 required for Modvane = 0 and Levin = 1",
                                "Window length must be greater than zero",
                                "Smoothing window type must be a string"};
    for (size_t i = 0; i < good.size(); ++i) {
        std::vector<Array> args(good.begin(), good.begin() + static_cast<long>(i));
        args.insert(args.end(), bad.begin() + static_cast<long>(i), bad.end());
        const Result r = modvane(1, args);
        EXPECT_EQ(r.printed, err(msgs[i])) << "fault " << i;
        EXPECT_TRUE(is_empty_output(r)) << "fault " << i;
        EXPECT_EQ(r.misuse, "");
    }
    const Result ok = modvane(1, good);
    EXPECT_EQ(ok.printed, "");
    EXPECT_EQ(ok.out().m, 65u);

    // The counts come before any argument is looked at.
    EXPECT_EQ(modvane(1, {}).printed, err("Not enough input arguments"));
    std::vector<Array> eight = bad;
    eight.insert(eight.end(), {scalar(0), scalar(0)});
    EXPECT_EQ(modvane(1, eight).printed, err("Too many input arguments"));
    const Result two = modvane(2, bad);
    EXPECT_EQ(two.printed, err("Too many output arguments"));
    EXPECT_TRUE(is_empty_output(two, 0));
    EXPECT_TRUE(is_empty_output(two, 1));
}

TEST(Modvane, EachCheckRejects)
{
    const Array x = chirp(100);
    struct Case {
        const char* what;
        std::vector<Array> args;
        const char* msg;
    };
    const Case cases[] = {
        {"char signal", {str("abcdef")}, "Input must be a vector"},
        {"logical signal", {of_class(mxLOGICAL_CLASS, 1, 4, {1, 0, 1, 1})}, "Input must be a vector"},
        {"sparse signal", {sparse(1, 5, {1, 0, 0, 2, 0})}, "Input must be a vector"},
        {"cell signal", {cell(1, 4)}, "Input must be a vector"},
        {"1x1 signal", {scalar(1)}, "Input must be a vector"},
        {"3x4 signal", {real(3, 4)}, "Input must be a vector"},
        {"1x0 signal", {empty(1, 0)}, "Input must be a vector"},
        {"0x1 signal", {empty(0, 1)}, "Input must be a vector"},
        {"T a row", {x, row({1, 2})}, "Time resolution must be a scalar"},
        {"T a char", {x, str("a")}, "Time resolution must be a scalar"},
        {"T = 0.9", {x, scalar(0.9)}, "Time resolution length must be greater than zero"},
        {"T = -3", {x, scalar(-3)}, "Time resolution length must be greater than zero"},
        {"T = NaN", {x, scalar(std::nan(""))}, "Time resolution length must be greater than zero"},
        {"F sparse", {x, scalar(1), sparse_scalar(64)}, "FFT length must be a scalar"},
        {"F = -Inf", {x, scalar(1), scalar(-HUGE_VAL)}, "FFT length must be greater than zero"},
        {"F = 2^31", {x, scalar(1), scalar(2147483648.0)}, "FFT length must be greater than zero"},
        {"F = 2^30 + 1", {x, scalar(1), scalar(1073741825.0)}, "FFT length must be no greater than 1073741824"},
        {"L a row", {x, scalar(1), scalar(64), row({0, 1})}, "Modvane or Levin option must be a scalar"},
        {"L = 2", {x, scalar(1), scalar(64), scalar(2)}, "1 or 0 required for Modvane = 0 and Levin = 1"},
        {"L = -1", {x, scalar(1), scalar(64), scalar(-1)}, "1 or 0 required for Modvane = 0 and Levin = 1"},
        {"W a char", {x, scalar(1), scalar(64), scalar(0), str("a"), str("hann")},
         "Smoothing window length must be a scalar"},
        {"W = 0.5", {x, scalar(1), scalar(64), scalar(0), scalar(0.5), str("hann")},
         "Window length must be greater than zero"},
        {"type a number", {x, scalar(1), scalar(64), scalar(0), scalar(5), scalar(1)},
         "Smoothing window type must be a string"},
        {"type two rows", {x, scalar(1), scalar(64), scalar(0), scalar(5), chars({"hann", "hann"})},
         "Could not get smoothing window type"},
        {"type Hann", {x, scalar(1), scalar(64), scalar(0), scalar(5), str("Hann")}, "Unknown smoothing window type"},
        {"type rectangular", {x, scalar(1), scalar(64), scalar(0), scalar(5), str("rectangular")},
         "Unknown smoothing window type"},
        {"type hann with a blank", {x, scalar(1), scalar(64), scalar(0), scalar(5), str("hann ")},
         "Unknown smoothing window type"},
        {"type empty", {x, scalar(1), scalar(64), scalar(0), scalar(5), str("")}, "Unknown smoothing window type"},
        {"five inputs", {x, scalar(1), scalar(64), scalar(0), scalar(5)}, "Need to specify window type"},
    };
    for (const Case& c : cases) {
        const Result r = modvane(1, c.args);
        EXPECT_EQ(r.printed, err(c.msg)) << c.what;
        EXPECT_TRUE(is_empty_output(r)) << c.what;
        EXPECT_TRUE(r.calls.empty()) << c.what;
        EXPECT_EQ(r.misuse, "") << c.what;
    }
}

// The window length is adjusted with its warnings in order, and the call goes on with the
// adjusted length; with five inputs the warnings come before the missing-type error.
TEST(Modvane, WindowLengthWarnings)
{
    const std::string trunc = wrn("Window length has been truncated to signal length");
    const std::string odd = wrn("Window length is not odd, truncating to odd value.");
    const struct {
        size_t N;
        double W;
        std::string warnings;
        double used;
    } cases[] = {
        {100, 8, odd, 7}, {100, 200, trunc + odd, 99}, {101, 200, trunc, 101}, {100, 9.7, "", 9}, {100, 2, odd, 1},
    };
    for (const auto& c : cases) {
        const Array x = chirp(c.N);
        const Result r = modvane(1, {x, scalar(4), scalar(128), scalar(0), scalar(c.W), str("bart")});
        EXPECT_EQ(r.printed, c.warnings) << c.N << " " << c.W;
        const Result direct = modvane(1, {x, scalar(4), scalar(128), scalar(0), scalar(c.used), str("bart")});
        EXPECT_EQ(direct.printed, "");
        EXPECT_TRUE(same_array(r.out(), direct.out())) << c.N << " " << c.W;
    }
    const Result five = modvane(1, {chirp(100), scalar(1), scalar(64), scalar(0), scalar(200)});
    EXPECT_EQ(five.printed, trunc + odd + err("Need to specify window type"));
    EXPECT_TRUE(is_empty_output(five));
}

TEST(Modvane, ShapesAndClasses)
{
    const struct {
        const char* what;
        std::vector<Array> args;
        size_t m, n;
        bool complex;
    } cases[] = {
        {"defaults", {chirp(100)}, 65, 100, true},
        {"N = 10, T = 3", {chirp(10), scalar(3)}, 9, 4, true},
        {"F below N", {chirp(300), scalar(1), scalar(100)}, 65, 128, true},
        {"F = 1", {chirp(300), scalar(1), scalar(1)}, 1, 1, true},
        {"Levin", {chirp(100), scalar(1), scalar(100), scalar(1)}, 65, 100, false},
        {"complex signal, T = 7", {wave(50), scalar(7), scalar(50), scalar(0)}, 33, 8, true},
        {"T beyond the signal", {chirp(50), scalar(1e6)}, 33, 1, true},
        {"smoothed Levin", {chirp(100), scalar(2), scalar(64), scalar(1), scalar(9), str("HAMM")}, 33, 32, false},
    };
    for (const auto& c : cases) {
        const Result r = modvane(1, c.args);
        ASSERT_TRUE(r.assigned[0]) << c.what;
        EXPECT_EQ(r.printed, "") << c.what;
        EXPECT_EQ(r.out().m, c.m) << c.what;
        EXPECT_EQ(r.out().n, c.n) << c.what;
        EXPECT_EQ(r.out().complex, c.complex) << c.what;
        EXPECT_EQ(r.out().cls, mxDOUBLE_CLASS) << c.what;
        EXPECT_EQ(r.misuse, "") << c.what;
    }
}

// Orientation, truncated parameters, a seventh input and non-double classes change nothing.
TEST(Modvane, EquivalentArguments)
{
    const Array x = chirp(60);
    std::vector<double> xs(x.re.begin(), x.re.end());
    std::vector<double> xf(xs.size()), xi(xs.size());
    for (size_t i = 0; i < xs.size(); ++i) {
        xf[i] = static_cast<float>(xs[i]);
        xi[i] = std::round(100 * xs[i]);
    }
    const struct {
        const char* what;
        std::vector<Array> a, b;
    } cases[] = {
        {"row signal", {chirp(60, true), scalar(2)}, {x, scalar(2)}},
        {"T = 2.9", {x, scalar(2.9)}, {x, scalar(2)}},
        {"L = 0.7", {x, scalar(1), scalar(64), scalar(0.7)}, {x, scalar(1), scalar(64), scalar(0)}},
        {"L = 1.9", {x, scalar(1), scalar(64), scalar(1.9)}, {x, scalar(1), scalar(64), scalar(1)}},
        {"L = -0.5", {x, scalar(1), scalar(64), scalar(-0.5)}, {x, scalar(1), scalar(64), scalar(0)}},
        {"seventh input", {x, scalar(1), scalar(64), scalar(0), scalar(5), str("RECT"), cell(2, 2)},
         {x, scalar(1), scalar(64), scalar(0), scalar(5), str("rect")}},
        {"integer and single parameters",
         {x, of_class(mxINT8_CLASS, 1, 1, {3}), of_class(mxUINT16_CLASS, 1, 1, {40}),
          of_class(mxSINGLE_CLASS, 1, 1, {1}), of_class(mxINT32_CLASS, 1, 1, {9}), str("HANN")},
         {x, scalar(3), scalar(40), scalar(1), scalar(9), str("hann")}},
        {"single signal", {of_class(mxSINGLE_CLASS, 60, 1, xs), scalar(2)}, {column(xf), scalar(2)}},
        {"int16 signal", {of_class(mxINT16_CLASS, 1, 60, xi), scalar(1), scalar(32), scalar(0), scalar(7), str("bart")},
         {column(xi), scalar(1), scalar(32), scalar(0), scalar(7), str("bart")}},
    };
    for (const auto& c : cases) {
        const Result a = modvane(1, c.a), b = modvane(1, c.b);
        EXPECT_EQ(a.printed, "") << c.what;
        EXPECT_EQ(a.misuse, "") << c.what;
        EXPECT_TRUE(same_array(a.out(), b.out())) << c.what;
    }
}

// The module against the algorithm written out step by step, bit for bit.
TEST(Modvane, MatchesLiteralAlgorithm)
{
    const struct {
        const char* what;
        Array x;
        int T, F, L, W, wtype;
    } cases[] = {
        {"plain, defaults", chirp(100), 1, 100, 0, 0, 0},
        {"plain, N = 10, T = 3", chirp(10), 3, 10, 0, 0, 0},
        {"plain, F below N", chirp(300), 1, 100, 0, 0, 0},
        {"plain, F = 1", chirp(30), 1, 1, 0, 0, 0},
        {"plain Levin, padded", chirp(100), 5, 256, 1, 0, 0},
        {"plain, complex", wave(64), 3, 64, 0, 0, 0},
        {"rect", chirp(100), 1, 128, 0, 21, 1},
        {"hann", chirp(100), 2, 128, 0, 31, 2},
        {"hamm, Levin", chirp(100), 3, 64, 1, 15, 3},
        {"bart", chirp(100), 1, 128, 0, 99, 4},
        {"complex, hann", wave(40), 1, 64, 0, 11, 2},
        {"W = 1", chirp(50), 1, 64, 0, 1, 4},
        {"wrapping at t = 0", chirp(16), 1, 16, 0, 5, 1},
        {"W above NFFT", wave(20), 1, 8, 0, 11, 2},
        {"W above NFFT, real", chirp(40), 3, 4, 1, 39, 3},
        {"F = 1, smoothed", chirp(9), 1, 1, 0, 9, 1},
    };
    const char* const types[] = {"", "rect", "hann", "hamm", "bart"};
    for (const auto& c : cases) {
        std::vector<Array> args = {c.x, scalar(c.T), scalar(c.F), scalar(c.L)};
        if (c.W > 0) args.insert(args.end(), {scalar(c.W), str(types[c.wtype])});
        const Result r = modvane(1, args);
        EXPECT_EQ(r.printed, "") << c.what;
        EXPECT_EQ(r.calls, c.W > 0 ? std::vector<std::string>{"fft"} : std::vector<std::string>{}) << c.what;
        EXPECT_TRUE(same_array(r.out(), modvane_literal::call(c.x, c.T, c.F, c.L, c.W, c.wtype))) << c.what;
    }
}

// exp(j*2*pi*m*n/NFFT) over N = NFFT samples puts NFFT in row m of every column, to within the
// shared fft's accuracy (its rotation angles are rounded to single precision).
TEST(Modvane, ComplexToneLandsInItsRow)
{
    const int n = 64;
    for (int m : {0, 5, 32}) {
        std::vector<double> re(n), im(n);
        for (int i = 0; i < n; ++i) {
            re[i] = std::cos(2 * kPi * m * i / n);
            im[i] = std::sin(2 * kPi * m * i / n);
        }
        const Array x = cplx(1, n, re, im);
        for (int L : {0, 1}) {
            const Array D = modvane(1, {x, scalar(1), scalar(n), scalar(L)}).out();
            ASSERT_EQ(D.complex, L == 0);
            for (size_t c = 0; c < D.n; ++c)
                for (size_t k = 0; k < D.m; ++k)
                    EXPECT_NEAR(std::abs(at(D, c * D.m + k) - cd(static_cast<int>(k) == m ? n : 0, 0)), 0.0, 1e-6)
                        << "m " << m << " L " << L << " k " << k << " c " << c;
        }
    }
}

TEST(Modvane, ZerosGiveZeros)
{
    const Array x = column(std::vector<double>(50, 0.0));
    for (const std::vector<Array>& args : std::vector<std::vector<Array>>{
             {x}, {x, scalar(1), scalar(64), scalar(1)}, {x, scalar(1), scalar(64), scalar(0), scalar(9), str("rect")},
             {x, scalar(2), scalar(64), scalar(1), scalar(9), str("hamm")}}) {
        const Result r = modvane(1, args);
        EXPECT_EQ(r.printed, "");
        EXPECT_TRUE(all_zero(r.out()));
    }
}

// At t = 0 the kernel is 1, so column 0 is z(0) times the conjugated spectrum, here checked
// against a direct transform (to within the shared fft's single-precision angles).
TEST(Modvane, FirstColumnIsSignalTimesConjugateSpectrum)
{
    const Array x = wave(32);
    const Array D = modvane(1, {x, scalar(4)}).out();
    double scale = 0;
    for (size_t i = 0; i < 32; ++i) scale += std::abs(at(x, i));
    for (size_t k = 0; k < D.m; ++k) {
        cd Z = 0;
        for (size_t i = 0; i < 32; ++i) Z += at(x, i) * std::polar(1.0, -2 * kPi * static_cast<double>(k * i) / 32);
        const cd want = at(x, 0) * std::conj(Z);
        EXPECT_NEAR(std::abs(at(D, k) - want), 0.0, 1e-6 * std::abs(at(x, 0)) * scale) << k;
    }
}

// With W = 1 each column is |z(t)|^2 in every row, whatever the window; hann of 3 points is
// (0, 1, 0) and gives the same values.
TEST(Modvane, SinglePointWindows)
{
    const Array x = wave(40);
    const std::vector<Array> head = {x, scalar(3), scalar(64), scalar(0)};
    const Array one = modvane(1, {x, scalar(3), scalar(64), scalar(0), scalar(1), str("hann")}).out();
    for (size_t c = 0; c < one.n; ++c) {
        const double want = std::norm(at(x, 3 * c));
        for (size_t k = 0; k < one.m; ++k)
            EXPECT_NEAR(std::abs(at(one, c * one.m + k) - want), 0.0, 1e-12 * want) << k << " " << c;
    }
    for (const char* type : {"rect", "hamm", "bart"}) {
        const Array other = modvane(1, {x, scalar(3), scalar(64), scalar(0), scalar(1), str(type)}).out();
        EXPECT_TRUE(same_array(other, one)) << type;
    }
    const Array hann3 = modvane(1, {x, scalar(3), scalar(64), scalar(0), scalar(3), str("hann")}).out();
    for (size_t i = 0; i < one.numel(); ++i) EXPECT_EQ(at(hann3, i), at(one, i)) << i;
}

// The smoothed columns from their definition: position p of the column for time t holds
// z(p) times the weight of the latest lag that lands on p, and the spectrum phase is turned
// back to t. Covers lags wrapping below 0 and lags folding when W > NFFT.
TEST(Modvane, SmoothedMatchesDirectSum)
{
    const struct {
        const char* what;
        size_t N;
        int T, F, W;
        const char* type;
    } cases[] = {
        {"wrapping at t = 0", 16, 1, 16, 5, "rect"},
        {"wrapping, hann", 30, 4, 32, 13, "hann"},
        {"folding, W > NFFT", 20, 1, 8, 11, "bart"},
        {"folding, W > 2 NFFT", 40, 3, 4, 21, "hamm"},
    };
    for (const auto& c : cases) {
        const Array x = wave(c.N);
        const auto z = [&](int p) { return p < static_cast<int>(c.N) ? at(x, static_cast<size_t>(p)) : cd(0, 0); };
        const Array D = modvane(1, {x, scalar(c.T), scalar(c.F), scalar(0), scalar(c.W), str(c.type)}).out();
        const int n = c.F, h = c.W / 2;
        const std::string type = c.type;
        std::vector<double> win(static_cast<size_t>(c.W));
        for (int i = 0; i < c.W; ++i) {
            const double a = 2 * kPi * i / (c.W - 1);
            if (type == "rect") win[i] = 1.0 / c.W;
            if (type == "hann") win[i] = 0.5 - 0.5 * std::cos(a);
            if (type == "hamm") win[i] = 0.54 - 0.46 * std::cos(a);
            if (type == "bart") win[i] = 1.0 - std::fabs((i - h) / static_cast<double>(h));
        }
        for (size_t col = 0; col < D.n; ++col) {
            const int t = static_cast<int>(col) * c.T;
            for (size_t k = 0; k < D.m; ++k) {
                cd S = 0;
                for (int p = 0; p < n; ++p) {
                    const int tau = h - (((t + h - p) % n) + n) % n;  // latest lag with t + tau = p (mod n)
                    if (tau < -h) continue;
                    S += z(p) * win[tau + h] * std::polar(1.0, -2 * kPi * static_cast<double>(k) * p / n);
                }
                const cd want = z(t) * std::conj(S) * std::polar(1.0, -2 * kPi * static_cast<double>(k) * t / n);
                EXPECT_NEAR(std::abs(at(D, col * D.m + k) - want), 0.0, 1e-10 * (1 + std::abs(want)))
                    << c.what << " k " << k << " col " << col;
            }
        }
    }
}

// A client that hands the fft result back with no imaginary part: read as zero, never touched.
TEST(Modvane, FftResultWithoutImaginaryPart)
{
    const Array x = chirp(64);
    const std::vector<Array> args = {x, scalar(1), scalar(64), scalar(0), scalar(15), str("hann")};
    Options drop;
    drop.fft_imag = FftImag::drop;
    const Result dropped = modvane(1, args, drop), kept = modvane(1, args);
    EXPECT_EQ(dropped.misuse, "");
    EXPECT_EQ(dropped.printed, "");
    EXPECT_TRUE(same_array(dropped.out(), modvane_literal::call(x, 1, 64, 0, 15, 2, drop)));
    EXPECT_FALSE(same_array(dropped.out(), kept.out()));  // the imaginary parts were really lost

    Options narrow;
    narrow.fft_imag = FftImag::narrow;
    EXPECT_TRUE(same_array(modvane(1, args, narrow).out(), kept.out()));
    const Result zeros = modvane(1, {column(std::vector<double>(64, 0.0)), scalar(1), scalar(64), scalar(0),
                                     scalar(15), str("hann")},
                                 narrow);
    EXPECT_EQ(zeros.misuse, "");
    EXPECT_TRUE(all_zero(zeros.out()));
}

// The fft call is the last thing the call allocates; when it fails without raising, spec says
// so and the distribution is formed from a zero spectrum.
TEST(Modvane, FailedFftCall)
{
    const std::vector<Array> args = {chirp(64), scalar(2), scalar(64), scalar(0), scalar(9), str("rect")};
    const Result clean = modvane(1, args);
    Options opt;
    opt.fail_alloc = clean.allocations;
    opt.failed_call_raises = false;
    const Result r = modvane(1, args, opt);
    EXPECT_EQ(r.calls, std::vector<std::string>{"fft"});
    EXPECT_EQ(r.printed, error_text("spec", "Unable to call FFT MATLAB function"));
    ASSERT_TRUE(r.assigned[0]);
    EXPECT_EQ(r.out().m, 33u);
    EXPECT_EQ(r.out().n, 32u);
    EXPECT_TRUE(r.out().complex);
    EXPECT_TRUE(all_zero(r.out()));
    EXPECT_EQ(r.misuse, "");

    opt.failed_call_raises = true;
    const Result raised = modvane(1, args, opt);
    EXPECT_TRUE(raised.raised);
    EXPECT_EQ(raised.misuse, "");
}

// With no output requested a successful call still fills slot 1; a failure before the output
// exists leaves the slot alone, and one after it (window checks) leaves the zero matrix there.
TEST(Modvane, NoOutputRequested)
{
    const Array x = chirp(100);
    const std::vector<Array> ok = {x, scalar(2), scalar(64), scalar(0), scalar(9), str("hann")};
    const Result none = modvane(0, ok);
    ASSERT_TRUE(none.assigned[0]);
    EXPECT_TRUE(same_array(none.out(), modvane(1, ok).out()));

    const Result early = modvane(0, {x, scalar(0)});
    EXPECT_EQ(early.printed, err("Time resolution length must be greater than zero"));
    EXPECT_FALSE(early.assigned[0]);

    const struct {
        std::vector<Array> args;
        const char* msg;
        bool complex;
    } late[] = {
        {{x, scalar(2), scalar(64), scalar(0), scalar(0), str("hann")}, "Window length must be greater than zero", true},
        {{x, scalar(2), scalar(64), scalar(1), scalar(9), str("Hann")}, "Unknown smoothing window type", false},
        {{x, scalar(2), scalar(64), scalar(0), scalar(9)}, "Need to specify window type", true},
    };
    for (const auto& c : late) {
        const Result r = modvane(0, c.args);
        EXPECT_EQ(r.printed, err(c.msg));
        ASSERT_TRUE(r.assigned[0]) << c.msg;
        EXPECT_EQ(r.out().m, 33u);
        EXPECT_EQ(r.out().n, 32u);
        EXPECT_EQ(r.out().complex, c.complex);
        EXPECT_TRUE(all_zero(r.out()));
    }
}

// The smoothed path holds the output, the matrix sent to fft and the matrix that comes back,
// and nothing else of that size.
TEST(Modvane, SmoothedPathMemory)
{
    const int n = 256;
    const Array x = chirp(n);
    const Result r = modvane(1, {x, scalar(1), scalar(n), scalar(0), scalar(31), str("hann")});
    const long cells = static_cast<long>(n) * n;
    const long output = (n / 2 + 1) * n * 16L;
    const long small = 3 * n * 16L + 31 * 8L;  // signal, its analytic buffer, window
    EXPECT_LE(r.allocated_bytes_peak, output + 2 * cells * 16 + small);
    Result literal;
    modvane_literal::call(x, 1, n, 0, 31, 2, {}, &literal);
    EXPECT_GT(literal.allocated_bytes_peak, output + 4 * cells * 16);
}

// The compiler turns each sin/cos pair of one angle into one sincos call; that must give the
// bits of the two separate functions over the angles the distribution uses.
TEST(Modvane, SincosGivesTheBitsOfSinAndCos)
{
    double (*volatile sin_fn)(double) = ::sin;
    double (*volatile cos_fn)(double) = ::cos;
    void (*volatile sincos_fn)(double, double*, double*) = ::sincos;
    std::vector<double> angles;
    const double two_pi = 6.283185307179586;
    for (double nfft : {64.0, 4096.0})
        for (int t = 0; t < nfft; t += (nfft > 64 ? 37 : 1))
            for (int k = 0; k <= nfft / 2; ++k) angles.push_back((k * (two_pi * t)) / nfft);
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> expo(-20, 30);
    for (int i = 0; i < 200000; ++i) angles.push_back(std::ldexp(1.0 + (rng() >> 11) * 0x1p-53, static_cast<int>(expo(rng))));
    long differing = 0;
    for (double a : angles) {
        double s, c;
        sincos_fn(a, &s, &c);
        differing += !same_bits(s, sin_fn(a)) || !same_bits(c, cos_fn(a));
    }
    EXPECT_EQ(differing, 0) << "of " << angles.size() << " angles";
}

namespace {

// Expected outcome of failing allocation k of the sweep calls below, in the module's order.
struct Step {
    std::string printed;
    enum { empty, zeros, computed } output;
};

void check_step(const std::vector<Step>& steps, const Result& r, long k)
{
    ASSERT_LE(k, static_cast<long>(steps.size()));
    const Step& s = steps[static_cast<size_t>(k - 1)];
    EXPECT_EQ(r.printed, s.printed);
    EXPECT_FALSE(r.raised);
    if (s.output == Step::empty) {
        EXPECT_TRUE(is_empty_output(r));
    } else {
        ASSERT_TRUE(r.assigned[0]);
        EXPECT_EQ(r.out().m, 33u);
        EXPECT_EQ(all_zero(r.out()), s.output == Step::zeros);
    }
}

const std::vector<Step> kSmoothedSteps = {
    {error_text("modvane", "Memory allocation failed"), Step::empty},              // output
    {error_text("modvane", "Internal memory allocation failure"), Step::empty},    // window type text
    {error_text("modvane", "Memory allocation failed"), Step::zeros},              // single to double
    {error_text("modvane", "Memory allocation failed"), Step::zeros},              // signal
    {error_text("analyt", "Memory allocation failed: Y"), Step::computed},         // analytic buffer
    {error_text("spec", "Memory allocation failed: window"), Step::zeros},         // window
    {error_text("spec", "Memory allocation failed"), Step::zeros},                 // matrix for fft
    {error_text("spec", "Unable to call FFT MATLAB function"), Step::zeros},       // the fft call
};

const std::vector<Step> kPlainSteps = {
    {error_text("modvane", "Memory allocation failed"), Step::empty},       // output
    {error_text("modvane", "Memory allocation failed"), Step::zeros},       // signal
    {error_text("modvane", "Memory allocation failed"), Step::zeros},       // spectrum
    {error_text("analyt", "Memory allocation failed: Y"), Step::computed},  // analytic buffer
};

Options no_raise()
{
    Options o;
    o.failed_call_raises = false;
    return o;
}

std::vector<double> sample(size_t n)
{
    const Array x = chirp(n);
    return x.re;
}

}  // namespace

ALLOC_SWEEP(ModvaneSmoothed,
            SweepCase{"modvane", 1,
                      {of_class(mxSINGLE_CLASS, 1, 64, sample(64)), scalar(2), scalar(64), scalar(0), scalar(9),
                       str("hann")},
                      [](const Result& r, long k) { check_step(kSmoothedSteps, r, k); }, no_raise()})

ALLOC_SWEEP(ModvanePlain, SweepCase{"modvane", 1, {chirp(64), scalar(2), scalar(64), scalar(1)},
                                    [](const Result& r, long k) { check_step(kPlainSteps, r, k); }})
