// Our MEX host itself: the client functions modules call by name, and the fault injection the
// other suites rely on.
#include <cmath>
#include <complex>

#include "sweep.h"

using namespace mexhost;

namespace {

// Naive transform of one sequence, for checking the client's fft/ifft.
std::vector<std::complex<double>> naive(const std::vector<std::complex<double>>& x, bool inverse)
{
    const size_t n = x.size();
    std::vector<std::complex<double>> y(n);
    for (size_t k = 0; k < n; ++k) {
        std::complex<double> s = 0;
        for (size_t j = 0; j < n; ++j)
            s += x[j] * std::polar(1.0, (inverse ? 2 : -2) * M_PI * double(j * k % n) / double(n));
        y[k] = inverse ? s / double(n) : s;
    }
    return y;
}

mxArray* call_client(const char* name, mxArray* x)
{
    mxArray* out[1] = {nullptr};
    mxArray* in[1] = {x};
    EXPECT_EQ(mexCallMATLAB(1, out, 1, in, name), 0);
    return out[0];
}

}  // namespace

TEST(Host, ClientFftWorksAlongTheFirstNonSingletonDimension)
{
    // A 3x2 matrix is transformed column by column, a 1x5 row along the row; ifft scales by 1/n.
    const struct {
        size_t m, n;
        const char* fn;
    } cases[] = {{3, 2, "fft"}, {1, 5, "fft"}, {5, 1, "ifft"}, {4, 3, "ifft"}};
    for (const auto& c : cases) {
        std::vector<double> re, im;
        for (size_t i = 0; i < c.m * c.n; ++i) {
            re.push_back(std::sin(1.0 + i));
            im.push_back(std::cos(2.0 * i));
        }
        Result r = run([&] {
            mxArray* y = call_client(c.fn, make(cplx(c.m, c.n, re, im)));
            ASSERT_NE(y, nullptr);
            ASSERT_TRUE(mxIsComplex(y));
            const size_t len = c.m != 1 ? c.m : c.n;
            for (size_t col = 0; col < c.m * c.n / len; ++col) {
                std::vector<std::complex<double>> x;
                for (size_t i = 0; i < len; ++i) x.emplace_back(re[col * len + i], im[col * len + i]);
                auto want = naive(x, std::string(c.fn) == "ifft");
                for (size_t i = 0; i < len; ++i) {
                    EXPECT_NEAR(mxGetPr(y)[col * len + i], want[i].real(), 1e-12) << c.fn << c.m << "x" << c.n;
                    EXPECT_NEAR(mxGetPi(y)[col * len + i], want[i].imag(), 1e-12);
                }
            }
        });
        EXPECT_EQ(r.misuse, "");
        EXPECT_EQ(r.calls, std::vector<std::string>{c.fn});
    }
}

TEST(Host, ClientFftImaginaryPartModes)
{
    // An impulse transforms to all ones: zero imaginary parts everywhere.
    const Array impulse = cplx(4, 1, {1, 0, 0, 0}, {0, 0, 0, 0});
    const Array ramp = cplx(4, 1, {1, 2, 0, 0}, {0, 0, 0, 0});  // X[1] = 1 - 2i
    const struct {
        FftImag mode;
        bool impulse_complex, ramp_complex;
    } cases[] = {{FftImag::keep, true, true}, {FftImag::narrow, false, true}, {FftImag::drop, false, false}};
    for (const auto& c : cases) {
        Options opt;
        opt.fft_imag = c.mode;
        run([&] {
            EXPECT_EQ(mxIsComplex(call_client("fft", make(impulse))) != 0, c.impulse_complex);
            mxArray* y = call_client("fft", make(ramp));
            EXPECT_EQ(mxIsComplex(y) != 0, c.ramp_complex);
            EXPECT_EQ(mxGetPi(y) != nullptr, c.ramp_complex);
            EXPECT_NEAR(mxGetPr(y)[1], 1.0, 1e-12);
        }, opt);
    }
}

TEST(Host, FailsTheRequestedAllocationOnly)
{
    for (long k = 1; k <= 4; ++k) {
        Options opt;
        opt.fail_alloc = k;
        opt.failed_call_raises = false;
        Result r = run([&] {
            void* a = mxCalloc(4, 8);
            void* b = mxMalloc(16);
            mxArray* c = mxCreateDoubleMatrix(2, 2, mxCOMPLEX);
            mxArray* out[1] = {nullptr};
            mxArray* in[1] = {make(scalar(1))};
            int status = mexCallMATLAB(1, out, 1, in, "fft");
            EXPECT_EQ(a == nullptr, k == 1);
            EXPECT_EQ(b == nullptr, k == 2);
            EXPECT_EQ(c == nullptr, k == 3);
            EXPECT_EQ(status != 0, k == 4);
            mxFree(a);
            mxFree(b);
        }, opt);
        EXPECT_EQ(r.allocations, 4);
        EXPECT_EQ(r.misuse, "");
    }
    // By default a called function that runs out of memory raises, as the client does.
    Options opt;
    opt.fail_alloc = 1;
    Result r = run([] {
        mxArray* out[1];
        mxArray* in[1] = {make(scalar(1))};
        mexCallMATLAB(1, out, 1, in, "ifft");
        ADD_FAILURE() << "not reached";
    }, opt);
    EXPECT_TRUE(r.raised);
}

TEST(Host, ReportsInterfaceMisuseAndReclaimsMemory)
{
    Result r = run([] {
        double local = 0;
        mxFree(&local);
        mxDestroyArray(make(scalar(1)));
        double* small = static_cast<double*>(mxMalloc(8));
        mxSetPr(mxCreateDoubleMatrix(2, 2, mxREAL), small);
        mxCalloc(1000, 8);  // never freed: reclaimed when the run ends
    });
    EXPECT_NE(r.misuse.find("mxFree of a block"), std::string::npos) << r.misuse;
    EXPECT_NE(r.misuse.find("input argument"), std::string::npos) << r.misuse;
    EXPECT_NE(r.misuse.find("smaller than the array"), std::string::npos) << r.misuse;
    EXPECT_GE(r.allocated_bytes_peak, 8000);
}

TEST(Host, GetStringFailsWhenTheTextDoesNotFit)
{
    run([] {
        char buf[8];
        EXPECT_EQ(mxGetString(make(str("lin")), buf, 4), 0);
        EXPECT_STREQ(buf, "lin");
        EXPECT_EQ(mxGetString(make(chars({"ab", "cd"})), buf, 3), 1);
        EXPECT_EQ(mxGetString(make(str("")), buf, 1), 0);
        EXPECT_STREQ(buf, "");
        EXPECT_EQ(mxGetString(make(scalar(1)), buf, 8), 1);
    });
}
