// Argument handling shared by tarsel, hovat and gindle4: every message in check order, the window
// truncation, the FFT length, output shapes and argument classes.
#include <cmath>
#include <limits>

#include "peak_test.h"

using namespace mexhost;
using namespace peak_test;

namespace {

struct Rules {
    const char* module;
    const char* window_not_scalar;
    bool odd_window;  // a window longer than the signal becomes the largest odd length
    // The output of h instants with nfft-point slices: a column of estimates, or the distribution.
    ::testing::AssertionResult has_shape(const Array& a, size_t nfft, size_t h) const
    {
        const bool dist = std::string(module) == "gindle4";
        const size_t m = dist ? 2 * nfft : h, n = dist ? h : 1;
        if (a.m == m && a.n == n && a.cls == mxDOUBLE_CLASS && !a.complex) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << a.m << "x" << a.n << ", want " << m << "x" << n;
    }
};
const Rules kModules[] = {
    {"tarsel", "Window length must be a scalar", true},
    {"hovat", "Smoothing window length must be a scalar", false},
    {"gindle4", "Smoothing window length must be a scalar", false},
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const char* const kWindow = "";  // stands for the module's own text

struct MessageCase {
    const char* what;
    int nlhs;
    std::vector<Array> args;
    const char* msg;  // kWindow: the module's window message
    bool warned;      // the truncation warning comes first
};

std::vector<MessageCase> message_cases()
{
    const Array x = noise(16, false), bad = cell(1, 1), txt = str("t");
    const Array s4 = scalar(4), s2 = scalar(2);
    return {
        {"no inputs", 1, {}, "Not enough input arguments", false},
        {"two inputs", 1, {x, s4}, "Not enough input arguments", false},
        {"five inputs, all wrong", 1, {bad, bad, bad, bad, bad}, "Too many input arguments", false},
        {"two outputs, wrong inputs", 2, {bad, txt, txt}, "Too many output arguments", false},
        {"cell signal", 1, {bad, txt, txt}, "Input must be a vector", false},
        {"char signal", 1, {str("abcdef"), txt, txt}, "Input must be a vector", false},
        {"logical signal", 1, {of_class(mxLOGICAL_CLASS, 1, 4, {1, 0, 1, 1}), txt, txt}, "Input must be a vector", false},
        {"sparse signal", 1, {sparse(1, 5, {1, 0, 0, 2, 1}), txt, txt}, "Input must be a vector", false},
        {"1x1 signal", 1, {scalar(3), txt, txt}, "Input must be a vector", false},
        {"3x4 signal", 1, {real(3, 4), txt, txt}, "Input must be a vector", false},
        {"1x0 signal", 1, {empty(1, 0), s4, s2}, "Input must be a vector", false},
        {"0x1 signal", 1, {empty(0, 1), s4, s2}, "Input must be a vector", false},
        {"0x0 signal", 1, {empty(0, 0), s4, s2}, "Input must be a vector", false},
        {"window as text", 1, {x, str("a"), txt}, kWindow, false},
        {"window 1x2", 1, {x, row({4, 4}), txt}, kWindow, false},
        {"window sparse", 1, {x, sparse_scalar(4), txt}, kWindow, false},
        {"window logical", 1, {x, of_class(mxLOGICAL_CLASS, 1, 1, {1}), txt}, kWindow, false},
        {"window 0", 1, {x, scalar(0), txt}, "Window length must be greater than zero", false},
        {"window 0.9", 1, {x, scalar(0.9), txt}, "Window length must be greater than zero", false},
        {"window -3", 1, {x, scalar(-3), txt}, "Window length must be greater than zero", false},
        {"window NaN", 1, {x, scalar(kNaN), txt}, "Window length must be greater than zero", false},
        {"window Inf", 1, {x, scalar(kInf), txt}, "Window length must be greater than zero", false},
        {"time as text", 1, {x, s4, txt}, "Time resolution must be a scalar", false},
        {"time 1x2", 1, {x, s4, row({1, 2})}, "Time resolution must be a scalar", false},
        {"time 0.5", 1, {x, s4, scalar(0.5)}, "Time resolution must be greater than zero", false},
        {"time NaN", 1, {x, s4, scalar(kNaN)}, "Time resolution must be greater than zero", false},
        {"time 17 of 16", 1, {x, s4, scalar(17), txt}, "Time resolution must be no greater than signal length", false},
        {"time 17 after a long window", 1, {x, scalar(100), scalar(17)},
         "Time resolution must be no greater than signal length", true},
        {"FFT length as text", 1, {x, s4, s2, txt}, "FFT length must be a scalar", false},
        {"FFT length 2x1", 1, {x, s4, s2, column({8, 8})}, "FFT length must be a scalar", false},
        {"FFT length 0", 1, {x, s4, s2, scalar(0)}, "FFT length must be greater than zero", false},
        {"FFT length -Inf", 1, {x, s4, s2, scalar(-kInf)}, "FFT length must be greater than zero", false},
        {"FFT length 2^31-1", 1, {x, s4, s2, scalar(2147483647.0)}, "FFT length must be no greater than 1073741824", false},
    };
}

}  // namespace

TEST(PeakArgs, MessagesInCheckOrder)
{
    for (const Rules& m : kModules) {
        for (const MessageCase& c : message_cases()) {
            SCOPED_TRACE(std::string(m.module) + ": " + c.what);
            const Result r = call(m.module, c.nlhs, c.args);
            const std::string msg = c.msg == kWindow ? m.window_not_scalar : c.msg;
            const std::string warning =
                c.warned ? warning_text(m.module, "Window length has been truncated to signal length") : "";
            EXPECT_EQ(r.printed, warning + error_text(m.module, msg));
            EXPECT_FALSE(r.raised);
            EXPECT_EQ(r.misuse, "");
            for (int slot = 0; slot < c.nlhs; ++slot) EXPECT_TRUE(is_empty_output(r, slot));
        }
        // With no output requested a failed call assigns nothing.
        const Result r = call(m.module, 0, {scalar(1), scalar(1), scalar(1)});
        EXPECT_EQ(r.printed, error_text(m.module, "Input must be a vector"));
        EXPECT_FALSE(r.assigned.at(0));
    }
}

TEST(PeakArgs, WindowLongerThanSignalIsTruncatedWithAWarning)
{
    for (const Rules& m : kModules) {
        for (size_t n : {8u, 9u}) {
            SCOPED_TRACE(std::string(m.module) + ", N = " + std::to_string(n));
            const Array x = noise(n, true);
            const Result r = call(m.module, 1, {x, scalar(10), scalar(1)});
            EXPECT_EQ(r.printed, warning_text(m.module, "Window length has been truncated to signal length"));
            const int w = (m.odd_window && n % 2 == 0) ? static_cast<int>(n) - 1 : static_cast<int>(n);
            EXPECT_TRUE(same_array(r.out(), ok_call(m.module, {x, scalar(w), scalar(1)}).out()));
            // For even N the two rules differ visibly in hovat and gindle4 (in tarsel no instant
            // of an N-sample signal reaches lag N/2, so the rules cannot be told apart there).
            if (!m.odd_window && n % 2 == 0) {
                EXPECT_FALSE(same_array(r.out(), ok_call(m.module, {x, scalar(w - 1), scalar(1)}).out()));
            }
        }
    }
}

TEST(PeakArgs, FftLengthIsAtLeastTheWindowRoundedUpToAPowerOfTwo)
{
    const Array x = noise(64, true);
    for (const Rules& m : kModules) {
        SCOPED_TRACE(m.module);
        const Array base = ok_call(m.module, {x, scalar(16), scalar(4)}).out();
        EXPECT_TRUE(m.has_shape(base, 16, 16));
        // Below the window: the window length, without a message.
        EXPECT_TRUE(same_array(ok_call(m.module, {x, scalar(16), scalar(4), scalar(10)}).out(), base));
        EXPECT_TRUE(same_array(ok_call(m.module, {x, scalar(16), scalar(4), scalar(16.9)}).out(), base));
        // Above it: the next power of two.
        const Array up = ok_call(m.module, {x, scalar(16), scalar(4), scalar(20)}).out();
        EXPECT_TRUE(same_array(up, ok_call(m.module, {x, scalar(16), scalar(4), scalar(32)}).out()));
        EXPECT_TRUE(m.has_shape(up, 32, 16));
        EXPECT_FALSE(same_array(up, base));  // the fixture tells the two lengths apart
    }
}

TEST(PeakArgs, OutputShapeAndNoRequestedOutput)
{
    const Array col = noise(50, false);
    Array row_signal = col;
    std::swap(row_signal.m, row_signal.n);
    for (const Rules& m : kModules) {
        SCOPED_TRACE(m.module);
        // H = ceil(50 / 7) = 8 instants; W = 12 gives NFFT = 16.
        const Array a = ok_call(m.module, {col, scalar(12), scalar(7)}).out();
        EXPECT_TRUE(m.has_shape(a, 16, 8));
        EXPECT_TRUE(same_array(ok_call(m.module, {row_signal, scalar(12), scalar(7)}).out(), a));
        const Result none = call(m.module, 0, {col, scalar(12), scalar(7)});
        ASSERT_TRUE(none.assigned.at(0));
        EXPECT_TRUE(same_array(none.out(), a));
    }
}

TEST(PeakArgs, OtherNumericClassesAreReadAsTheirValues)
{
    const std::vector<double> re = {3, -1, 4, 1, -5, 9, 2, -6, 5, 3, -5, 8};
    const std::vector<double> im = {2, 7, -1, 8, 2, -8, 1, 8, -2, 8, 4, -5};
    Array i16 = of_class(mxINT16_CLASS, 1, re.size(), re);
    i16.complex = true;
    i16.im = im;
    const Array fl = of_class(mxSINGLE_CLASS, re.size(), 1, {0.1, 0.2, -0.3, 0.4, 0.5, -0.6, 0.7, 0.8, -0.9, 1.0, 1.1, 1.2});
    std::vector<double> fl_values;
    for (double v : fl.re) fl_values.push_back(static_cast<double>(static_cast<float>(v)));
    for (const Rules& m : kModules) {
        SCOPED_TRACE(m.module);
        EXPECT_TRUE(same_array(ok_call(m.module, {i16, scalar(6), scalar(2)}).out(),
                               ok_call(m.module, {cplx(1, re.size(), re, im), scalar(6), scalar(2)}).out()));
        EXPECT_TRUE(same_array(ok_call(m.module, {fl, scalar(6), scalar(2)}).out(),
                               ok_call(m.module, {column(fl_values), scalar(6), scalar(2)}).out()));
        // Parameters of any numeric class, complex ones by their real part.
        EXPECT_TRUE(same_array(ok_call(m.module, {fl, of_class(mxINT8_CLASS, 1, 1, {6}),
                                                  of_class(mxSINGLE_CLASS, 1, 1, {2.5}), cscalar(9.5, 3)}).out(),
                               ok_call(m.module, {column(fl_values), scalar(6), scalar(2), scalar(16)}).out()));
    }
}
