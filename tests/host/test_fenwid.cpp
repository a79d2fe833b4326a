// fenwid, the test-signal generator: each frequency law against the phase worked out from what
// the law means, the bits its fixed operation order gives, the signal kind, every message in its
// order, the output's shape and class, and allocation failures.
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "sweep.h"

using namespace mexhost;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const long double kTwoPiL = 6.283185307179586476925286766559005768L;

Result fenwid(const std::vector<Array>& args, int nlhs = 1) { return call("fenwid", nlhs, args); }

std::vector<Array> args5(const std::string& law, double a, double b, double N, double s)
{
    return {str(law), scalar(a), scalar(b), scalar(N), scalar(s)};
}

std::vector<Array> args6(const std::string& law, double a, double b, double N, double s, double x)
{
    return {str(law), scalar(a), scalar(b), scalar(N), scalar(s), scalar(x)};
}

// A successful call: nothing printed, slot 1 an N-by-1 double column, complex when analytic.
::testing::AssertionResult is_signal(const Result& r, size_t N, bool analytic)
{
    if (!r.printed.empty()) return ::testing::AssertionFailure() << "printed: " << r.printed;
    if (r.raised || !r.misuse.empty()) return ::testing::AssertionFailure() << r.error << r.misuse;
    if (r.assigned.empty() || !r.assigned[0]) return ::testing::AssertionFailure() << "no output";
    const Array& x = r.out();
    if (x.cls != mxDOUBLE_CLASS || x.m != N || x.n != 1 || x.complex != analytic || x.sparse)
        return ::testing::AssertionFailure() << "output is " << x.m << "x" << x.n << " class " << x.cls
                                             << (x.complex ? " complex" : " real");
    return ::testing::AssertionSuccess();
}

bool same_samples(const Array& x, const Array& y)
{
    if (x.re.size() != y.re.size() || x.im.size() != y.im.size()) return false;
    for (size_t i = 0; i < x.re.size(); ++i)
        if (!same_bits(x.re[i], y.re[i])) return false;
    for (size_t i = 0; i < x.im.size(); ++i)
        if (!same_bits(x.im[i], y.im[i])) return false;
    return true;
}

struct Law {
    const char* name;
    double a, b;
    int N;
    double x;    // c for sin, K for step
    double tol;  // allowed distance of a sample from e^(j phi) for the meant phase phi
};

// Step law levels: K equally spaced frequencies from a to b, level floor(n K / N) at sample n.
long double step_level(const Law& w, int n)
{
    const long K = static_cast<long>(w.x);
    const long j = static_cast<long>(n) * K / w.N;
    return w.a + j * ((static_cast<long double>(w.b) - w.a) / (K - 1));
}

// The phase each law is meant to have, worked out in long double from its frequency
// f(n) = phi'(n) / 2pi (n and N in samples, frequencies in cycles per sample).
long double meant_phase(const Law& w, int n)
{
    const std::string law = w.name;
    const long double a = w.a, b = w.b, N = w.N, t = n, x = t / N;
    if (law == "lin")  // f = a + (b - a) n/N
        return kTwoPiL * (a * t + (b - a) * N * x * x / 2);
    if (law == "quad")  // f = a + 4 (b - a) (n/N) (1 - n/N)
        return kTwoPiL * (a * t + (b - a) * N * (2 * x * x - 4 * x * x * x / 3));
    if (law == "cubic")
        // f = a + (b - a) p(n/N), p the cubic with p(0) = 0, p(1/3) = 1/2, p'(1/3) = 0, p(1) = 1:
        // p(x) = 29/8 x - 33/4 x^2 + 45/8 x^3.
        return kTwoPiL * (a * t + (b - a) * N * (29 * x * x / 16 - 11 * x * x * x / 4 + 45 * x * x * x * x / 32));
    if (law == "hyp") {
        // 1/f runs linearly from 1/a at n = 0 to 1/b at n = N; the phase is zero at n = N/2.
        const long double alpha = 1 / a, beta = (1 / b - 1 / a) / N;
        return kTwoPiL / beta * std::log(std::fabs((alpha + beta * t) / (alpha + beta * N / 2)));
    }
    if (law == "sin")  // f = a + pi b c cos(2 pi b n)
        return kTwoPiL * (a * t + w.x / 2 * std::sin(kTwoPiL * b * t));
    // step: n times the mean of the last three levels (the level itself for the first three).
    const long double f = n < 3 ? step_level(w, n) : (step_level(w, n - 2) + step_level(w, n - 1) + step_level(w, n)) / 3;
    return kTwoPiL * t * f;
}

std::vector<Array> law_args(const Law& w, double s)
{
    // sin and step take a sixth input, in either case of the name.
    const std::string law = w.name;
    if (law == "sin" || law == "SIN" || law == "step" || law == "STEP") return args6(law, w.a, w.b, w.N, s, w.x);
    return args5(law, w.a, w.b, w.N, s);
}

// Every sample of the analytic signal is e^(j phi(n)) for the meant phase; the real signal is its
// real part, bit for bit (the same phase serves both).
TEST(Fenwid, LawsFollowTheirMeantPhase)
{
    const Law laws[] = {
        {"lin", 0.1, 0.4, 64, 0, 1e-13},      {"lin", 0.45, -0.2, 200, 0, 1e-12},
        {"lin", 0.2, 0.2, 33, 0, 1e-13},      {"quad", 0.1, 0.4, 64, 0, 1e-13},
        {"quad", 0.3, 0.05, 101, 0, 1e-12},   {"quad", 0.2, 0.2, 33, 0, 1e-13},
        {"cubic", 0.1, 0.4, 90, 0, 3e-9},     {"cubic", 0.4, 0.02, 257, 0, 1e-8},
        {"cubic", 0.2, 0.2, 33, 0, 1e-13},    {"hyp", 0.1, 0.4, 64, 0, 1e-13},
        {"hyp", 0.45, 0.05, 300, 0, 1e-12},   {"sin", 0.25, 0.02, 128, 3, 1e-13},
        {"sin", 0.1, 0.005, 500, 10, 1e-12},  {"sin", 0.2, 0.1, 16, 0, 1e-13},
        {"step", 0.1, 0.4, 64, 5, 1e-13},     {"step", 0.4, 0.1, 10, 4, 1e-13},
        {"step", -0.2, 0.3, 100, 3, 1e-12},   {"step", 0.2, 0.2, 33, 4, 1e-13},
    };
    for (const Law& w : laws) {
        SCOPED_TRACE(std::string(w.name) + " a=" + std::to_string(w.a) + " b=" + std::to_string(w.b) +
                     " N=" + std::to_string(w.N));
        const Result z = fenwid(law_args(w, 0));
        ASSERT_TRUE(is_signal(z, w.N, true));
        double worst = 0;
        for (int n = 0; n < w.N; ++n) {
            const long double phi = meant_phase(w, n);
            worst = std::fmax(worst, std::fabs(z.out().re[n] - static_cast<double>(std::cos(phi))));
            worst = std::fmax(worst, std::fabs(z.out().im[n] - static_cast<double>(std::sin(phi))));
        }
        EXPECT_LE(worst, w.tol);
        const Result x = fenwid(law_args(w, 1));
        ASSERT_TRUE(is_signal(x, w.N, false));
        for (int n = 0; n < w.N; ++n) ASSERT_TRUE(same_bits(x.out().re[n], z.out().re[n])) << n;
    }
}

// The frequency measured from the signal itself (phase advance from one sample to the next)
// follows the law at the midpoint between the two samples, including its named points: lin
// reaches b only at n = N, quad peaks at b at N/2, cubic passes (a + b)/2 at N/3, hyp has 1/f
// linear in n.
TEST(Fenwid, MeasuredFrequencyFollowsTheLaw)
{
    constexpr double a = 0.1, b = 0.4;
    constexpr int N = 400;
    const struct {
        const char* law;
        std::function<double(double)> f;
    } cases[] = {
        {"lin", [](double n) { return a + (b - a) * n / N; }},
        {"quad", [](double n) { return a + 4 * (b - a) * (n / N) * (1 - n / N); }},
        {"cubic", [](double n) {
             const double x = n / N;
             return a + (b - a) * (3.625 * x - 8.25 * x * x + 5.625 * x * x * x);
         }},
        {"hyp", [](double n) { return 1 / (1 / a + (1 / b - 1 / a) * n / N); }},
    };
    for (const auto& c : cases) {
        const Result r = fenwid(args5(c.law, a, b, N, 0));
        ASSERT_TRUE(is_signal(r, N, true)) << c.law;
        const Array& z = r.out();
        for (int n = 0; n + 1 < N; ++n) {
            // arg(z[n+1] conj(z[n])) / 2pi
            const double re = z.re[n + 1] * z.re[n] + z.im[n + 1] * z.im[n];
            const double im = z.im[n + 1] * z.re[n] - z.re[n + 1] * z.im[n];
            EXPECT_NEAR(std::atan2(im, re) / static_cast<double>(kTwoPiL), c.f(n + 0.5), 5e-6) << c.law << " n=" << n;
        }
    }
    // Spot values of the law formulas used above.
    EXPECT_NEAR(cases[1].f(N / 2), b, 1e-15);
    EXPECT_NEAR(cases[2].f(N / 3.0), (a + b) / 2, 1e-15);
    EXPECT_NEAR(cases[2].f(N), b, 1e-15);
    EXPECT_NEAR(cases[3].f(N), b, 1e-15);
}

// The operation order is fixed so that samples agree bit for bit between versions. For each law
// a sample run is compared with the phase grouped as the law is defined, and a regrouping of the
// same formula must change some sample (else the sample run would not test the grouping).
TEST(Fenwid, OperationOrderFixesTheBits)
{
    const double TP = 6.283185307179586;
    using Phase = std::function<double(double)>;
    struct Case {
        const char* what;
        std::vector<Array> args;
        int upto;  // samples compared: 0 .. upto-1
        Phase defined, regrouped;
    };
    const double a = 0.1, b = 0.4, N = 90, c = 3, bs = 0.02;
    // hyp
    const double k = ((a - b) + (a - b)) / ((a + b) * N);
    const double A = (a * (1 - (N * k) * 0.5)) / k;
    // cubic
    const double t = 0.33333333333, c1 = 0.07407407407185185, c2 = 0.22222222221777777,
                 c3 = 0.1481481481437037, c4 = 0.33333333332666665, q = 0.44444444444888886, m = -4.50000000009;
    const double g = ((((((a * c2 + (b * 2) * t) - c2 * b) - (2 * a) * t) + a) - b) * m) / N / N / N / q;
    const double h = ((((((a * c3 + (b * c4 + a)) - c3 * b) - b) - a * c4) * 0.5) / t / t / N / N) / q;
    const double l = (((((((a * c1 - c1 * b) - (a * 3) * t) + (b * 3) * t) + 2 * a) - b * 2) * (-0.5)) / t / N) / q;
    const Case cases[] = {
        {"lin", args5("lin", a, b, N, 0), 90,
         [&](double n) { return (((((b - a) * 0.5) * n) * n) / N + a * n) * TP; },
         [&](double n) { return (((b - a) * 0.5) * (n * n) / N + a * n) * TP; }},
        {"quad", args5("quad", a, b, N, 0), 90,
         [&](double n) {
             const double D = b - a;
             return (((((D + D) * n) * n) / N + a * n) - ((((D * 4) * n) * n) * n) / ((3 * N) * N)) * TP;
         },
         [&](double n) {
             const double D = b - a;
             return (((((D + D) * n) * n) / N + a * n) - ((((D * 4) * n) * n) * n) / 3 / N / N) * TP;
         }},
        {"cubic", args5("cubic", a, b, N, 0), 90,
         [&](double n) {
             return (((((n * h) * n) * n) / 3 + ((((g * n) * n) * n) * n) * 0.25) + ((l * n) * n) * 0.5 + a * n) * TP;
         },
         [&](double n) {
             return (a * n + ((l * n) * n) * 0.5 + (((n * h) * n) * n) / 3 + ((((g * n) * n) * n) * n) * 0.25) * TP;
         }},
        {"hyp", args5("hyp", a, b, N, 0), 90,
         [&](double n) { return (A * std::log(std::fabs(k * (n - N * 0.5) + 1))) * TP; },
         [&](double n) { return (A * TP) * std::log(std::fabs(k * (n - N * 0.5) + 1)); }},
        {"sin", args6("sin", a, bs, N, 0, c), 90,
         [&](double n) { return ((c * 0.5) * std::sin(n * (bs * TP)) + n * a) * TP; },
         [&](double n) { return ((c * 0.5) * std::sin((n * bs) * TP) + n * a) * TP; }},
        // step: the first five samples of K = 2, N = 10 all use the first level, a itself.
        {"step", args6("step", 0.3, b, 10, 0, 2), 5,
         [&](double n) { return n * (0.3 * TP); }, [&](double n) { return (n * 0.3) * TP; }},
    };
    for (const Case& cs : cases) {
        const Result r = fenwid(cs.args);
        ASSERT_TRUE(is_signal(r, cs.args[3][0], true)) << cs.what;
        int differ = 0;
        for (int n = 0; n < cs.upto; ++n) {
            const double phi = cs.defined(n), alt = cs.regrouped(n);
            EXPECT_TRUE(same_bits(r.out().re[n], std::cos(phi))) << cs.what << " n=" << n;
            EXPECT_TRUE(same_bits(r.out().im[n], std::sin(phi))) << cs.what << " n=" << n;
            differ += !same_bits(std::cos(alt), std::cos(phi)) || !same_bits(std::sin(alt), std::sin(phi));
        }
        EXPECT_GT(differ, 0) << cs.what << ": the regrouping changes no sample";
    }
}

// Step law worked examples.
TEST(Fenwid, StepLawWorkedExamples)
{
    const double a = 0.1, b = 0.35;
    // K = 2, N = 10: L = 5; level a for samples 0-4, b for 5-9; the mean of three is a up to 4,
    // (2a + b)/3 at 5, (a + 2b)/3 at 6 and b from 7 on.
    {
        const Result r = fenwid(args6("step", a, b, 10, 0, 2));
        ASSERT_TRUE(is_signal(r, 10, true));
        const double fbar[10] = {a, a, a, a, a, (2 * a + b) / 3, (a + 2 * b) / 3, b, b, b};
        for (int n = 0; n < 10; ++n) {
            const long double phi = kTwoPiL * n * fbar[n];
            EXPECT_NEAR(r.out().re[n], std::cos(phi), 1e-14) << n;
            EXPECT_NEAR(r.out().im[n], std::sin(phi), 1e-14) << n;
        }
    }
    // K = 25, N = 7: L = 0.28 and K L computes to just above 7, yet exactly 7 samples are made;
    // they fall in steps 0, 3, 7, 10, 14, 17, 21.
    {
        const Result r = fenwid(args6("step", a, b, 7, 0, 25));
        ASSERT_TRUE(is_signal(r, 7, true));
        const int step[7] = {0, 3, 7, 10, 14, 17, 21};
        const long double delta = (static_cast<long double>(b) - a) / 24;
        for (int n = 0; n < 7; ++n) {
            long double f = 0;
            const int from = n < 3 ? n : n - 2;
            for (int i = from; i <= n; ++i) f += a + step[i] * delta;
            f /= n - from + 1;
            EXPECT_NEAR(r.out().re[n], std::cos(kTwoPiL * n * f), 1e-14) << n;
            EXPECT_NEAR(r.out().im[n], std::sin(kTwoPiL * n * f), 1e-14) << n;
        }
        EXPECT_GT(25 * (7.0 / 25), 7.0);  // the case really has K L above N
    }
}

// Law names in capitals name the same laws.
TEST(Fenwid, CapitalNamesGiveTheSameSignals)
{
    const char* names[][2] = {{"lin", "LIN"}, {"quad", "QUAD"}, {"cubic", "CUBIC"},
                              {"hyp", "HYP"}, {"sin", "SIN"},   {"step", "STEP"}};
    for (const auto& nm : names) {
        const Law lower{nm[0], 0.05, 0.3, 40, 4, 0}, upper{nm[1], 0.05, 0.3, 40, 4, 0};
        const Result lo = fenwid(law_args(lower, 0)), up = fenwid(law_args(upper, 0));
        ASSERT_TRUE(is_signal(lo, 40, true)) << nm[0];
        ASSERT_TRUE(is_signal(up, 40, true)) << nm[1];
        EXPECT_TRUE(same_samples(lo.out(), up.out())) << nm[1];
    }
    // Each name gives its own law, not one shared by all.
    EXPECT_FALSE(same_samples(fenwid(args5("lin", 0.05, 0.3, 40, 0)).out(),
                              fenwid(args5("cubic", 0.05, 0.3, 40, 0)).out()));
    EXPECT_FALSE(same_samples(fenwid(args5("quad", 0.05, 0.3, 40, 0)).out(),
                              fenwid(args5("hyp", 0.05, 0.3, 40, 0)).out()));
}

// The signal kind is the truncated value held in 16 bits: 1 is real, everything else analytic.
// Sample counts and step counts truncate toward zero too.
TEST(Fenwid, SignalKindAndTruncatedCounts)
{
    const struct {
        Array s;
        bool real;
    } kinds[] = {
        {scalar(1), true},       {scalar(0), false},        {scalar(0.5), false},
        {scalar(1.7), true},     {scalar(2), false},        {scalar(-1), false},
        {scalar(65537), true},   {scalar(-65535), true},    {scalar(65536), false},
        {scalar(kNaN), false},   {scalar(kInf), false},     {of_class(mxINT8_CLASS, 1, 1, {1}), true},
        {of_class(mxSINGLE_CLASS, 1, 1, {1.5}), true},      {cscalar(1, 5), true},
    };
    const Result analytic = fenwid(args5("quad", 0.1, 0.4, 16, 0));
    ASSERT_TRUE(is_signal(analytic, 16, true));
    for (const auto& k : kinds) {
        const Result r = fenwid({str("quad"), scalar(0.1), scalar(0.4), scalar(16), k.s});
        ASSERT_TRUE(is_signal(r, 16, !k.real)) << "s = " << k.s[0];
        for (int n = 0; n < 16; ++n) ASSERT_TRUE(same_bits(r.out().re[n], analytic.out().re[n]));
    }
    // N = 2.9 makes 2 samples, the first two of N = 2; K = 2.9 is K = 2.
    const Result two = fenwid(args5("lin", 0.1, 0.4, 2.9, 0));
    ASSERT_TRUE(is_signal(two, 2, true));
    EXPECT_TRUE(same_samples(two.out(), fenwid(args5("lin", 0.1, 0.4, 2, 0)).out()));
    const Result k29 = fenwid(args6("step", 0.1, 0.4, 12, 1, 2.9));
    ASSERT_TRUE(is_signal(k29, 12, false));
    EXPECT_TRUE(same_samples(k29.out(), fenwid(args6("step", 0.1, 0.4, 12, 1, 2)).out()));
}

// Parameters of other numeric classes are read by their value; a complex one by its real part.
TEST(Fenwid, ParametersOfOtherNumericClasses)
{
    const Result ref = fenwid(args6("step", 0.25, -0.125, 20, 0, 3));
    ASSERT_TRUE(is_signal(ref, 20, true));
    const std::vector<Array> variants[] = {
        {str("step"), of_class(mxSINGLE_CLASS, 1, 1, {0.25}), scalar(-0.125), scalar(20), scalar(0), scalar(3)},
        {str("step"), scalar(0.25), cscalar(-0.125, 7), scalar(20), scalar(0), scalar(3)},
        {str("step"), scalar(0.25), scalar(-0.125), of_class(mxINT16_CLASS, 1, 1, {20}), scalar(0), scalar(3)},
        {str("step"), scalar(0.25), scalar(-0.125), scalar(20), of_class(mxUINT32_CLASS, 1, 1, {0}),
         of_class(mxUINT8_CLASS, 1, 1, {3})},
        {str("step"), scalar(0.25), scalar(-0.125), of_class(mxINT64_CLASS, 1, 1, {20}), scalar(0),
         of_class(mxSINGLE_CLASS, 1, 1, {3.5})},
    };
    for (size_t i = 0; i < std::size(variants); ++i) {
        const Result r = fenwid(variants[i]);
        ASSERT_TRUE(is_signal(r, 20, true)) << "variant " << i;
        EXPECT_TRUE(same_samples(r.out(), ref.out())) << "variant " << i;
    }
}

// Every message in its check order. Each row is one call; the earlier checks pass and the row's
// own check fails (rows with two faults show which check comes first).
TEST(Fenwid, MessagesInCheckOrder)
{
    const Array lin = str("lin"), sin = str("sin"), step = str("step");
    const Array x = scalar(0.1), y = scalar(0.4), N = scalar(16), s = scalar(0), K = scalar(4);
    const Array pair = row({1, 2});
    const std::string not_enough = "Not enough input arguments", too_many = "Too many input arguments";
    const std::string second = "Second input parameter must be a scalar";
    const std::string fourth = "Fourth input parameter must be a scalar";
    const std::string samples = "Number of samples must be greater than zero";
    const std::string kind = "sig_type flag must be 0 (analytic) or 1 (real)";
    const std::string fifth = "Fifth input parameter must be a scalar";
    const std::string steps = "Number of frequency steps must be greater than or equal to two";
    const struct {
        const char* what;
        int nlhs;
        std::vector<Array> args;
        std::string msg;
    } cases[] = {
        // counts, before anything is read
        {"no input", 1, {}, not_enough},
        {"4 inputs", 1, {lin, x, y, N}, not_enough},
        {"4 inputs, law not text", 1, {x, x, y, N}, not_enough},
        {"7 inputs", 1, {lin, x, y, N, s, K, K}, too_many},
        {"7 inputs and 2 outputs", 2, {lin, x, y, N, s, K, K}, too_many},
        {"2 outputs", 2, {lin, x, y, N, s}, "Too many output arguments"},
        {"2 outputs, law not text", 2, {x, x, y, N, s}, "Too many output arguments"},
        // the law text
        {"law numeric", 1, {scalar(1), x, y, N, s}, "Data type must be a string"},
        {"law cell", 1, {cell(1, 1), x, y, N, s}, "Data type must be a string"},
        {"law two-row char", 1, {chars({"lin", "LIN"}), x, y, N, s}, "Could not get data type"},
        {"law char column", 1, {chars({"l", "i", "n"}), x, y, N, s}, "Could not get data type"},
        {"law Lin", 1, {str("Lin"), x, y, N, s}, "Unknown data type"},
        {"law Lin, 6 inputs", 1, {str("Lin"), x, y, N, s, K}, "Unknown data type"},
        {"law Sin, 5 inputs", 1, {str("Sin"), x, y, N, s}, "Unknown data type"},
        {"law empty", 1, {str(""), x, y, N, s}, "Unknown data type"},
        {"law with a blank", 1, {str("lin "), x, y, N, s}, "Unknown data type"},
        {"law linear", 1, {str("linear"), x, y, N, s}, "Unknown data type"},
        // each form's own count, before its parameters
        {"lin, 6 inputs", 1, {lin, x, y, N, s, K}, too_many},
        {"HYP, 6 inputs, bad a", 1, {str("HYP"), pair, y, N, s, K}, too_many},
        {"sin, 5 inputs", 1, {sin, x, y, N, s}, "Not enough input arguments for type 'sin'"},
        {"SIN, 5 inputs, bad a", 1, {str("SIN"), pair, y, N, s}, "Not enough input arguments for type 'sin'"},
        {"step, 5 inputs", 1, {step, x, y, N, s}, not_enough},
        // five-input form
        {"lin: a 1x2", 1, {lin, pair, y, N, s}, second},
        {"lin: a 1x2, N bad", 1, {lin, pair, y, pair, s}, second},
        {"lin: b 1x2", 1, {lin, x, pair, N, s}, second},
        {"lin: b 1x2, N bad", 1, {lin, x, pair, scalar(0), s}, second},
        {"lin: N 1x2", 1, {lin, x, y, pair, s}, fourth},
        {"lin: N 1x2, s bad", 1, {lin, x, y, pair, pair}, fourth},
        {"lin: N 0.9", 1, {lin, x, y, scalar(0.9), s}, samples},
        {"lin: N 0.9, s bad", 1, {lin, x, y, scalar(0.9), pair}, samples},
        {"lin: s 1x2", 1, {lin, x, y, N, pair}, kind},
        {"quad: s logical", 1, {str("quad"), x, y, N, of_class(mxLOGICAL_CLASS, 1, 1, {1})}, kind},
        {"cubic: a logical", 1, {str("cubic"), of_class(mxLOGICAL_CLASS, 1, 1, {1}), y, N, s}, second},
        {"hyp: b char", 1, {str("hyp"), x, str("b"), N, s}, second},
        {"LIN: N sparse", 1, {str("LIN"), x, y, sparse_scalar(16), s}, fourth},
        {"QUAD: N 0x0", 1, {str("QUAD"), x, y, empty(0, 0), s}, fourth},
        {"CUBIC: s cell", 1, {str("CUBIC"), x, y, N, cell(1, 1)}, kind},
        // sample counts below 1, or with no 32-bit value
        {"N 0", 1, {lin, x, y, scalar(0), s}, samples},
        {"N -3", 1, {lin, x, y, scalar(-3), s}, samples},
        {"N NaN", 1, {lin, x, y, scalar(kNaN), s}, samples},
        {"N Inf", 1, {lin, x, y, scalar(kInf), s}, samples},
        {"N -Inf", 1, {lin, x, y, scalar(-kInf), s}, samples},
        {"N 2^40", 1, {lin, x, y, scalar(1099511627776.0), s}, samples},
        {"N 2^31", 1, {lin, x, y, scalar(2147483648.0), s}, samples},
        {"N int8 0", 1, {lin, x, y, of_class(mxINT8_CLASS, 1, 1, {0}), s}, samples},
        // sinusoidal form
        {"sin: a 1x2", 1, {sin, pair, y, N, s, K}, second},
        {"sin: b 1x2", 1, {sin, x, pair, N, s, K}, second},
        {"sin: N 1x2", 1, {sin, x, y, pair, s, K}, fourth},
        {"sin: N 0.9, c bad", 1, {sin, x, y, scalar(0.9), s, pair}, samples},
        {"sin: s 1x2, c bad", 1, {sin, x, y, N, pair, pair}, kind},
        {"sin: c 1x2", 1, {sin, x, y, N, s, pair}, second},
        {"SIN: c sparse", 1, {str("SIN"), x, y, N, s, sparse_scalar(1)}, second},
        {"sin: c struct", 1, {sin, x, y, N, s, strct(1, 1)}, second},
        // stepped form
        {"step: a 1x2", 1, {step, pair, y, N, s, K}, second},
        {"step: b 1x2", 1, {step, x, pair, N, s, K}, second},
        {"step: N 1x2", 1, {step, x, y, pair, s, K}, fourth},
        {"step: N NaN, K bad", 1, {step, x, y, scalar(kNaN), s, pair}, samples},
        {"step: s 1x2, K 1", 1, {step, x, y, N, pair, scalar(1)}, kind},
        {"step: K 1x2", 1, {step, x, y, N, s, pair}, fifth},
        {"STEP: K char", 1, {str("STEP"), x, y, N, s, str("4")}, fifth},
        {"step: K cell", 1, {step, x, y, N, s, cell(1, 1)}, fifth},
        {"step: K 1", 1, {step, x, y, N, s, scalar(1)}, steps},
        {"step: K 1.9", 1, {step, x, y, N, s, scalar(1.9)}, steps},
        {"step: K 0", 1, {step, x, y, N, s, scalar(0)}, steps},
        {"step: K -2", 1, {step, x, y, N, s, scalar(-2)}, steps},
        {"step: K NaN", 1, {step, x, y, N, s, scalar(kNaN)}, steps},
        {"step: K 2^40", 1, {step, x, y, N, s, scalar(1099511627776.0)}, steps},
        {"step: K int16 1", 1, {step, x, y, N, s, of_class(mxINT16_CLASS, 1, 1, {1})}, steps},
    };
    for (const auto& c : cases) {
        const Result r = fenwid(c.args, c.nlhs);
        EXPECT_EQ(r.printed, error_text("fenwid", c.msg)) << c.what;
        EXPECT_FALSE(r.raised) << c.what;
        EXPECT_EQ(r.misuse, "") << c.what;
        for (int i = 0; i < c.nlhs; ++i) EXPECT_TRUE(is_empty_output(r, i)) << c.what;
    }
    // With no output requested, a failed call assigns nothing.
    const Result r = fenwid({lin, x, y, scalar(0), s}, 0);
    EXPECT_EQ(r.printed, error_text("fenwid", samples));
    EXPECT_FALSE(r.assigned[0]);
}

// The output goes to slot 1 even when the caller asks for none.
TEST(Fenwid, NoOutputRequestedStillFillsSlotOne)
{
    const Result one = fenwid(args5("lin", 0.1, 0.4, 64, 1), 1);
    const Result none = fenwid(args5("lin", 0.1, 0.4, 64, 1), 0);
    ASSERT_TRUE(is_signal(one, 64, false));
    ASSERT_TRUE(is_signal(none, 64, false));
    EXPECT_TRUE(same_samples(none.out(), one.out()));
    const Result z = fenwid(args6("sin", 0.1, 0.02, 8, 0, 1), 0);
    EXPECT_TRUE(is_signal(z, 8, true));
}

// One sample: phase 0, so exactly 1 (and 0 imaginary), for every law but hyp, whose phase at
// n = 0 is 2pi A ln(2b / (a + b)) with A = a b N / (a - b).
TEST(Fenwid, SingleSample)
{
    const double a = 0.1, b = 0.4;
    for (const char* law : {"lin", "quad", "cubic"}) {
        const Result r = fenwid(args5(law, a, b, 1, 0));
        ASSERT_TRUE(is_signal(r, 1, true)) << law;
        EXPECT_EQ(r.out().re[0], 1.0) << law;
        EXPECT_EQ(r.out().im[0], 0.0) << law;
    }
    for (const char* law : {"sin", "step"}) {
        const Result r = fenwid(args6(law, a, b, 1, 0, 5));
        ASSERT_TRUE(is_signal(r, 1, true)) << law;
        EXPECT_EQ(r.out().re[0], 1.0) << law;
        EXPECT_EQ(r.out().im[0], 0.0) << law;
    }
    const Result r = fenwid(args5("hyp", a, b, 1, 0));
    ASSERT_TRUE(is_signal(r, 1, true));
    const long double phi = kTwoPiL * (a * b / (a - b)) * std::log(2 * b / (a + b));
    EXPECT_NEAR(r.out().re[0], std::cos(phi), 1e-15);
    EXPECT_NEAR(r.out().im[0], std::sin(phi), 1e-15);
    EXPECT_GT(std::fabs(r.out().im[0]), 0.1);  // not the trivial sample
}

// hyp has no law when a = b or a = -b: every sample is NaN, real and imaginary.
TEST(Fenwid, HypWithEqualOrOppositeEndsIsNaN)
{
    for (const double bb : {0.2, -0.2}) {
        const Result r = fenwid(args5("hyp", 0.2, bb, 12, 0));
        ASSERT_TRUE(is_signal(r, 12, true)) << bb;
        for (int n = 0; n < 12; ++n) {
            EXPECT_TRUE(std::isnan(r.out().re[n])) << bb << " n=" << n;
            EXPECT_TRUE(std::isnan(r.out().im[n])) << bb << " n=" << n;
        }
    }
}

// Failing the law-text buffer (allocation 1) and the output (allocation 2).
ALLOC_SWEEP(Fenwid, SweepCase{"fenwid", 1, args5("lin", 0.1, 0.4, 16, 0), [](const Result& r, long k) {
                                  const char* msg = k == 1 ? "Internal memory allocation failure"
                                                           : "Memory allocation failure";
                                  EXPECT_LE(k, 2);
                                  EXPECT_EQ(r.printed, error_text("fenwid", msg));
                                  EXPECT_TRUE(is_empty_output(r));
                              }});

// With no output requested, a failed output leaves slot 1 unassigned after its message.
TEST(Fenwid, OutputFailureWithNoOutputRequested)
{
    Options opt;
    opt.fail_alloc = 2;
    const Result r = call("fenwid", 0, args6("step", 0.1, 0.4, 16, 1, 3), opt);
    EXPECT_EQ(r.printed, error_text("fenwid", "Memory allocation failure"));
    EXPECT_FALSE(r.assigned[0]);
    EXPECT_EQ(r.misuse, "");
}

}  // namespace
