// The module frame: messages, failure outputs, argument tests and readers shared by all modules.
#include "frame.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

void mex_error(const char* name, const char* msg)
{
    mexPrintf("??? Error using ==> %s%c\n", name, 7);
    mexPrintf("%s.\n\n", msg);
}

void mex_warning(const char* name, const char* msg)
{
    mexPrintf("??? Warning ==> %s\n", name);
    mexPrintf("%s.\n\n", msg);
}

// The message arrays stay in these slots until the next message replaces them.
static mxArray* error_arg[1];
static mxArray* error_out[1];
static mxArray* warning_arg[1];
static mxArray* warning_out[1];

int matlab_error(const char* msg)
{
    error_arg[0] = mxCreateString(msg);
    return mexCallMATLAB(0, error_out, 1, error_arg, "zarn_err");
}

int matlab_warning(const char* msg)
{
    warning_arg[0] = mxCreateString(msg);
    return mexCallMATLAB(0, warning_out, 1, warning_arg, "zarn_wrn");
}

void empty_outputs(int nlhs, mxArray* plhs[])
{
    for (int i = 0; i < nlhs; ++i) plhs[i] = mxCreateDoubleMatrix(0, 0, mxREAL);
}

void zero_outputs(int nlhs, mxArray* plhs[])
{
    for (int i = 0; i < nlhs; ++i) plhs[i] = mxCreateDoubleMatrix(1, 1, mxREAL);
}

int is_scalar(const mxArray* arr)
{
    if (!mxIsNumeric(arr)) return 0;
    if (mxIsSparse(arr)) return 0;
    if (mxGetM(arr) != 1 || mxGetN(arr) != 1) return 0;
    return 1;
}

void pack_complex(Complex* out, const double* re, const double* im, int n)
{
    for (int i = 0; i < n; ++i) {
        out[i].re = re[i];
        out[i].im = im[i];
    }
}

void real_to_complex(Complex* out, const double* re, int n)
{
    for (int i = 0; i < n; ++i) out[i].re = re[i];
}

void unpack_complex(const Complex* in, double* re, double* im, int n)
{
    for (int i = 0; i < n; ++i) {
        re[i] = in[i].re;
        im[i] = in[i].im;
    }
}

void report_error(const char* name, const char* msg, int nlhs, mxArray* plhs[])
{
    mex_error(name, msg);
    empty_outputs(nlhs, plhs);
}

int signal_length(const mxArray* arr)
{
    if (!mxIsNumeric(arr) || mxIsSparse(arr)) return 0;
    size_t r = mxGetM(arr), k = mxGetN(arr);
    if (!((r == 1 && k != 1) || (r != 1 && k == 1))) return 0;
    if (r == 0 || k == 0) return 0;  // an empty vector has no sample to read
    size_t n = r > k ? r : k;
    if (n > static_cast<size_t>(INT_MAX)) return 0;
    return static_cast<int>(n);
}

int truncate_int(double v)
{
    // Anything that has no 32-bit value (NaN, infinities, out of range) maps to INT_MIN.
    if (!(v > -2147483649.0 && v < 2147483648.0)) return INT_MIN;
    return static_cast<int>(v);
}

double param_double(const mxArray* arr)
{
    return mxGetScalar(arr);
}

int param_int(const mxArray* arr)
{
    return truncate_int(param_double(arr));
}

// Converts one block of a non-double numeric array to doubles.
static const double* widen(const mxArray* arr, const void* block, size_t n, int* failed)
{
    double* out = static_cast<double*>(mxCalloc(n ? n : 1, sizeof(double)));
    if (!out) {
        *failed = 1;
        return nullptr;
    }
    switch (mxGetClassID(arr)) {
#define WIDEN(cls, type) \
    case cls: for (size_t i = 0; i < n; ++i) out[i] = static_cast<double>(static_cast<const type*>(block)[i]); break;
        WIDEN(mxSINGLE_CLASS, float)
        WIDEN(mxINT8_CLASS, int8_t)
        WIDEN(mxUINT8_CLASS, uint8_t)
        WIDEN(mxINT16_CLASS, int16_t)
        WIDEN(mxUINT16_CLASS, uint16_t)
        WIDEN(mxINT32_CLASS, int32_t)
        WIDEN(mxUINT32_CLASS, uint32_t)
        WIDEN(mxINT64_CLASS, int64_t)
        WIDEN(mxUINT64_CLASS, uint64_t)
#undef WIDEN
    default: break;
    }
    return out;
}

int read_doubles(const mxArray* arr, const double** re, const double** im)
{
    const bool cplx = mxIsComplex(arr);
    if (mxIsDouble(arr)) {
        *re = mxGetPr(arr);
        *im = cplx ? mxGetPi(arr) : nullptr;
        return 0;
    }
    const size_t n = mxGetNumberOfElements(arr);
    int failed = 0;
    *re = widen(arr, mxGetData(arr), n, &failed);
    *im = (cplx && !failed) ? widen(arr, mxGetImagData(arr), n, &failed) : nullptr;
    return failed;
}

const char* read_text(const mxArray* arr, const TextMessages& msgs, char** text)
{
    if (!mxIsChar(arr)) return msgs.not_text;
    const mwSize len = mxGetN(arr) + 1;
    *text = static_cast<char*>(mxCalloc(len, 1));
    if (!*text) return msgs.no_memory;
    if (mxGetString(arr, *text, len) != 0) return msgs.does_not_fit;
    return nullptr;
}

int match_name(const char* text, const char* const names[], int count)
{
    for (int i = 0; i < count; ++i)
        if (std::strcmp(text, names[i]) == 0) return i;
    return -1;
}

int next_pow2(int len, int* nfft, int* log2n)
{
    if (len < 1 || len > (1 << 30)) return 1;
    int n = 1, p = 0;
    while (n < len) {
        n *= 2;
        ++p;
    }
    *nfft = n;
    *log2n = p;
    return 0;
}
