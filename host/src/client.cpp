// The functions a module can call by name: the client's "fft" and "ifft" (along the first
// non-singleton dimension, any length, the inverse scaled by 1/n) and the toolbox's message
// functions zarn_err (raises an error) and zarn_wrn (issues a warning).
#include <fftw3.h>

#include <cstdint>
#include <string>

#include "state.h"

using namespace mexhost;
using namespace mexhost::detail;

static std::string text_of(const mxArray* a)
{
    std::string s;
    if (a && a->cls == mxCHAR_CLASS)
        for (size_t i = 0; i < a->m * a->n; ++i)
            s += static_cast<char>(static_cast<uint16_t*>(a->re)[i]);
    return s;
}

static mxArray* transform(const mxArray* x, bool inverse)
{
    const size_t m = x->m, n = x->n, total = m * n;
    mxArray* y = new_array(mxDOUBLE_CLASS, m, n, true);
    if (!y) throw Raised{"Out of memory"};
    if (total == 0) return y;
    const size_t len = (m != 1) ? m : n;
    const size_t count = total / len;
    fftw_complex* buf = fftw_alloc_complex(len);
    if (!buf) throw Raised{"Out of memory"};
    fftw_plan plan = fftw_plan_dft_1d(static_cast<int>(len), buf, buf,
                                      inverse ? FFTW_BACKWARD : FFTW_FORWARD, FFTW_ESTIMATE);
    double* yr = static_cast<double*>(y->re);
    double* yi = static_cast<double*>(y->im);
    for (size_t c = 0; c < count; ++c) {
        for (size_t i = 0; i < len; ++i) {
            buf[i][0] = element_as_double(x, x->re, c * len + i);
            buf[i][1] = x->im ? element_as_double(x, x->im, c * len + i) : 0.0;
        }
        fftw_execute(plan);
        const double scale = inverse ? 1.0 / static_cast<double>(len) : 1.0;
        for (size_t i = 0; i < len; ++i) {
            yr[c * len + i] = inverse ? buf[i][0] * scale : buf[i][0];
            yi[c * len + i] = inverse ? buf[i][1] * scale : buf[i][1];
        }
    }
    fftw_destroy_plan(plan);
    fftw_free(buf);

    FftImag mode = state().opt.fft_imag;
    bool all_zero = true;
    for (size_t i = 0; i < total && all_zero; ++i) all_zero = yi[i] == 0.0;
    if (mode == FftImag::drop || (mode == FftImag::narrow && all_zero)) {
        add_bytes(-static_cast<long>(total * sizeof(double)));
        std::free(y->im);
        y->im = nullptr;
        y->complex = false;
    }
    return y;
}

extern "C" int mexCallMATLAB(int nlhs, mxArray* plhs[], int nrhs, mxArray* prhs[], const char* name)
{
    CallState& s = state();
    std::string fn = name ? name : "";
    s.calls.push_back(fn);
    if (allocation_fails()) {
        if (s.opt.failed_call_raises) throw Raised{"Out of memory. Type \"help memory\" for your options."};
        return 1;
    }
    if (fn == "fft" || fn == "ifft") {
        if (nrhs < 1 || !prhs[0]) throw Raised{"Invalid call to " + fn};
        mxArray* y = transform(prhs[0], fn == "ifft");
        if (nlhs >= 1) plhs[0] = y;
        return 0;
    }
    if (fn == "zarn_err" || fn == "zarn_wrn") {
        std::string msg = nrhs >= 1 ? text_of(prhs[0]) : "";
        bool err = fn == "zarn_err";
        s.zarn.push_back((err ? "err: " : "wrn: ") + msg);
        if (err) throw Raised{msg};
        return 0;
    }
    throw Raised{"'" + fn + "' undefined"};
}
