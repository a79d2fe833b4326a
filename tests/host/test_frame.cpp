// The module frame, called directly inside host runs.
#include <climits>
#include <cmath>
#include <limits>

#include "frame.h"
#include "sweep.h"

using namespace mexhost;

TEST(Frame, ErrorAndWarningBytes)
{
    Result r = run([] { mex_error("nupe", "Not enough input arguments"); });
    EXPECT_EQ(r.printed, std::string("??? Error using ==> nupe\x07\nNot enough input arguments.\n\n"));
    r = run([] { mex_error("Amb", "Only one output argument must exist."); });
    EXPECT_EQ(r.printed, "??? Error using ==> Amb\a\nOnly one output argument must exist..\n\n");
    r = run([] { mex_warning("tarsel", "Window length has been truncated to signal length"); });
    EXPECT_EQ(r.printed, "??? Warning ==> tarsel\nWindow length has been truncated to signal length.\n\n");
    // A message with a format character is printed as text, not interpreted.
    r = run([] { mex_error("x", "100% sure\tof it"); });
    EXPECT_EQ(r.printed, "??? Error using ==> x\a\n100% sure\tof it.\n\n");
}

TEST(Frame, MatlabErrorAndWarningCallTheToolboxFunctions)
{
    Result r = run([] { matlab_warning("careful"); });
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.zarn, std::vector<std::string>{"wrn: careful"});
    r = run([] { matlab_error("tarsel_m/mexFunction/plhs[0]: Memory allocation failed"); });
    EXPECT_TRUE(r.raised);
    EXPECT_EQ(r.error, "tarsel_m/mexFunction/plhs[0]: Memory allocation failed");
    EXPECT_EQ(r.calls, std::vector<std::string>{"zarn_err"});
}

TEST(Frame, EmptyAndZeroOutputs)
{
    mxArray* slots[3] = {nullptr, nullptr, nullptr};
    Result r = run([&] {
        empty_outputs(0, slots);
        EXPECT_EQ(slots[0], nullptr);
        empty_outputs(2, slots);
        ASSERT_NE(slots[1], nullptr);
        EXPECT_EQ(mxGetM(slots[1]), 0u);
        EXPECT_EQ(mxGetN(slots[1]), 0u);
        EXPECT_FALSE(mxIsComplex(slots[1]));
        EXPECT_EQ(slots[2], nullptr);
        zero_outputs(3, slots);
        EXPECT_EQ(mxGetM(slots[2]), 1u);
        EXPECT_EQ(mxGetN(slots[2]), 1u);
        EXPECT_EQ(mxGetPr(slots[2])[0], 0.0);
        empty_outputs(-1, slots);
    });
    EXPECT_EQ(r.misuse, "");
    EXPECT_EQ(r.allocations, 5);
}

struct ArgCase {
    const char* what;
    Array arg;
    int scalar;   // is_scalar
    int length;   // signal_length
};

TEST(Frame, ScalarAndVectorTests)
{
    const ArgCase cases[] = {
        {"double 1x1", scalar(2.5), 1, 0},
        {"complex 1x1", cscalar(1, 2), 1, 0},
        {"int16 1x1", of_class(mxINT16_CLASS, 1, 1, {3}), 1, 0},
        {"single 1x1", of_class(mxSINGLE_CLASS, 1, 1, {3}), 1, 0},
        {"char 1x1", str("a"), 0, 0},
        {"logical 1x1", of_class(mxLOGICAL_CLASS, 1, 1, {1}), 0, 0},
        {"sparse 1x1", sparse_scalar(1), 0, 0},
        {"1x2", row({1, 2}), 0, 2},
        {"5x1", column({1, 2, 3, 4, 5}), 0, 5},
        {"complex 1x3", cplx(1, 3, {1, 2, 3}, {0, 0, 1}), 0, 3},
        {"single 1x4", of_class(mxSINGLE_CLASS, 1, 4, {1, 2, 3, 4}), 0, 4},
        {"3x4", real(3, 4), 0, 0},
        {"0x0", empty(0, 0), 0, 0},
        {"1x0", empty(1, 0), 0, 0},
        {"0x1", empty(0, 1), 0, 0},
        {"sparse 1x5", sparse(1, 5, {1, 0, 0, 0, 1}), 0, 0},
        {"char row", str("hello"), 0, 0},
        {"logical row", of_class(mxLOGICAL_CLASS, 1, 3, {1, 0, 1}), 0, 0},
        {"cell 1x1", cell(1, 1), 0, 0},
        {"struct 1x3", strct(1, 3), 0, 0},
    };
    for (const ArgCase& c : cases) {
        run([&] {
            mxArray* a = make(c.arg);
            EXPECT_EQ(is_scalar(a), c.scalar) << c.what;
            EXPECT_EQ(signal_length(a), c.length) << c.what;
        });
    }
}

TEST(Frame, TruncatedIntegerParameters)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double v;
        int want;
    } cases[] = {
        {2.9, 2}, {-0.5, 0}, {-2.9, -2}, {0.9, 0}, {2147483647.0, INT_MAX},
        {2147483647.9, INT_MAX}, {2147483648.0, INT_MIN}, {-2147483648.0, INT_MIN},
        {-2147483648.9, INT_MIN}, {-2147483649.0, INT_MIN}, {1099511627776.0, INT_MIN},
        {nan, INT_MIN}, {inf, INT_MIN}, {-inf, INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(truncate_int(c.v), c.want) << c.v;
    // Other classes are read through their value, not their bytes.
    run([] {
        EXPECT_EQ(param_int(make(of_class(mxINT8_CLASS, 1, 1, {-7}))), -7);
        EXPECT_EQ(param_int(make(of_class(mxSINGLE_CLASS, 1, 1, {64.75}))), 64);
        EXPECT_EQ(param_int(make(cscalar(3.5, 9))), 3);
        EXPECT_EQ(param_double(make(of_class(mxUINT16_CLASS, 1, 1, {300}))), 300.0);
    });
}

TEST(Frame, ReadDoublesConvertsOtherClasses)
{
    Result r = run([] {
        const double *re, *im;
        mxArray* d = make(cplx(1, 3, {1, 2, 3}, {4, 5, 6}));
        ASSERT_EQ(read_doubles(d, &re, &im), 0);
        EXPECT_EQ(re, mxGetPr(d));  // double data are used in place
        EXPECT_EQ(im, mxGetPi(d));
        mxArray* s = make(of_class(mxSINGLE_CLASS, 1, 3, {0.1, -2, 3}));
        ASSERT_EQ(read_doubles(s, &re, &im), 0);
        EXPECT_EQ(im, nullptr);
        EXPECT_EQ(re[0], static_cast<double>(0.1f));
        EXPECT_EQ(re[2], 3.0);
        mxArray* u = make(of_class(mxUINT8_CLASS, 3, 1, {250, 0, 7}));
        ASSERT_EQ(read_doubles(u, &re, &im), 0);
        EXPECT_EQ(re[0], 250.0);
        EXPECT_EQ(re[2], 7.0);
        Array ci = of_class(mxINT32_CLASS, 1, 2, {-5, 6});
        ci.complex = true;
        ci.im = {7, -8};
        ASSERT_EQ(read_doubles(make(ci), &re, &im), 0);
        ASSERT_NE(im, nullptr);
        EXPECT_EQ(im[1], -8.0);
    });
    EXPECT_EQ(r.misuse, "");
    Options fail;
    fail.fail_alloc = 1;
    r = run([] {
        const double *re, *im;
        EXPECT_EQ(read_doubles(make(of_class(mxSINGLE_CLASS, 1, 3, {1, 2, 3})), &re, &im), 1);
    }, fail);
}

TEST(Frame, NextPowerOfTwo)
{
    const struct {
        int len, nfft, log2n;
    } ok[] = {{1, 1, 0}, {2, 2, 1}, {3, 4, 2}, {64, 64, 6}, {100, 128, 7}, {1 << 30, 1 << 30, 30}};
    for (const auto& c : ok) {
        int nfft = -1, p = -1;
        EXPECT_EQ(next_pow2(c.len, &nfft, &p), 0) << c.len;
        EXPECT_EQ(nfft, c.nfft);
        EXPECT_EQ(p, c.log2n);
    }
    int nfft, p;
    for (int bad : {0, -5, (1 << 30) + 1, INT_MAX, INT_MIN}) EXPECT_EQ(next_pow2(bad, &nfft, &p), 1) << bad;
}

TEST(Frame, PackingRoutines)
{
    const double re[3] = {1, 2, 3}, im[3] = {-1, -2, -3};
    Complex c[3] = {{9, 9}, {9, 9}, {9, 9}};
    real_to_complex(c, re, 3);
    EXPECT_EQ(c[2].re, 3.0);
    EXPECT_EQ(c[2].im, 9.0);  // imaginary parts are not written
    pack_complex(c, re, im, 3);
    EXPECT_EQ(c[1].im, -2.0);
    double r2[3], i2[3];
    unpack_complex(c, r2, i2, 3);
    EXPECT_EQ(r2[0], 1.0);
    EXPECT_EQ(i2[2], -3.0);
}
