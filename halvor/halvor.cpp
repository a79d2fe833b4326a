// halvor: compact-kernel time-frequency distribution of a real signal.
//   tfd = halvor(x, 'csk', c, D)
//   tfd = halvor(x, 'ckd', c, D, E)
//   tfd = halvor(x, 'mfk', c, theta, D, E)      theta, D, E: one entry per elliptic term
// tfd is P-by-N (P the smallest power of two not below N = length(x)): row f is frequency
// f/(2P) cycles per sample, column n is time. Errors print under the name "Compacttfd".
#include <climits>

#include "distribution.h"
#include "frame.h"
#include "kernels.h"

namespace {

const char* const kName = "Compacttfd";
const char* const kScalar = "Inputs must be a scalar.";

enum Kernel { kCsk, kCkd, kMfk };

// How reading the kernel parameters ended.
enum Outcome {
    kBuilt,       // the table is filled
    kEmpty,       // an error was reported: outputs emptied
    kUnassigned   // a message was printed: the call ends with no output assigned
};

void memory_failed()
{
    mexPrintf("\nMemory allocation\tfailed\n");
}

void invalid_dimensions()
{
    mexPrintf("\n Invalid Dimensions ");
}

// Data that can be read as numbers at all: numeric (not char or logical), dense, not empty.
bool readable(const mxArray* a)
{
    return mxIsNumeric(a) && !mxIsSparse(a) && mxGetNumberOfElements(a) > 0;
}

size_t longer_side(const mxArray* a)
{
    return mxGetM(a) > mxGetN(a) ? mxGetM(a) : mxGetN(a);
}

// An mfk vector: numbers, dense, and as many of them as its longer side says (a 1x0 array has
// a longer side of 1 but nothing to read; a 0x0 array is an empty list of terms).
bool term_vector(const mxArray* a)
{
    return mxIsNumeric(a) && !mxIsSparse(a) && mxGetNumberOfElements(a) >= longer_side(a);
}

// The test csk and ckd make of each parameter: a real double 1x1 array.
bool real_double_scalar(const mxArray* a)
{
    return !mxIsChar(a) && mxIsDouble(a) && !mxIsComplex(a) && mxGetM(a) * mxGetN(a) == 1;
}

// P row references into one zeroed block of P*N doubles; null after reporting.
double** new_table(int P, int N)
{
    double** rows = static_cast<double**>(mxCalloc(static_cast<size_t>(P), sizeof(double*)));
    double* block =
        rows ? static_cast<double*>(mxCalloc(static_cast<size_t>(P) * N, sizeof(double))) : nullptr;
    if (!block) {
        memory_failed();
        return nullptr;
    }
    for (int j = 0; j < P; ++j) rows[j] = block + static_cast<size_t>(j) * N;
    return rows;
}

// Angles, widths D and widths E of the mfk terms (inputs 4 to 6): each must hold numbers, and
// all three must be equally long (the longer side of each counts, the rest of a matrix is
// ignored).
Outcome build_mfk(int nrhs, const mxArray* prhs[], double** table, int P, int N)
{
    if (nrhs < 6) {
        mex_error(kName, "Not enough input arguments");
        return kEmpty;
    }
    // The decay is the first value of input 3, whatever its shape.
    if (!readable(prhs[2])) {
        mex_error(kName, kScalar);
        return kEmpty;
    }
    size_t len[3];
    for (int t = 0; t < 3; ++t) {
        const mxArray* v = prhs[3 + t];
        if (!term_vector(v)) {
            mex_error(kName, "Input must be a vector");
            return kEmpty;
        }
        if (mxGetM(v) != 1 && mxGetN(v) != 1) invalid_dimensions();
        len[t] = longer_side(v);
    }
    if (len[0] != len[1] || len[0] != len[2]) {
        mex_error(kName, " length of all the parameters should be same");
        return kUnassigned;
    }
    const double* values[3];
    for (int t = 0; t < 3; ++t) {
        const double* im;
        if (read_doubles(prhs[3 + t], &values[t], &im)) {
            mex_error(kName, "Memory allocation failed");
            return kEmpty;
        }
    }
    mfk_kernel(table, P, N, param_double(prhs[2]), values[0], values[1], values[2], len[0]);
    return kBuilt;
}

Outcome build_kernel(Kernel type, int nrhs, const mxArray* prhs[], double** table, int P, int N)
{
    switch (type) {
    case kCsk:
        // A bad parameter prints a notice and ends the call with nothing assigned.
        for (int i = 2; i <= 3; ++i)
            if (!real_double_scalar(prhs[i])) {
                mexPrintf("%s", kScalar);
                return kUnassigned;
            }
        csk_kernel(table, P, N, mxGetScalar(prhs[2]), mxGetScalar(prhs[3]));
        return kBuilt;
    case kCkd:
        if (nrhs < 5) {
            mex_error(kName, "Not enough input arguments");
            return kEmpty;
        }
        // A bad parameter ends the call with an error in the client.
        for (int i = 2; i <= 4; ++i)
            if (!real_double_scalar(prhs[i])) mexErrMsgTxt(kScalar);
        ckd_kernel(table, P, N, mxGetScalar(prhs[2]), mxGetScalar(prhs[3]), mxGetScalar(prhs[4]));
        return kBuilt;
    case kMfk:
        break;
    }
    return build_mfk(nrhs, prhs, table, P, N);
}

}  // namespace

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    if (nrhs < 4) return report_error(kName, "Not enough input arguments", nlhs, plhs);
    if (nlhs > 1) return report_error(kName, "Too many output arguments", nlhs, plhs);

    // Any numeric array with samples is taken; a matrix only draws a notice and gives its first
    // max(rows, columns) values in column order.
    const mxArray* signal = prhs[0];
    if (!readable(signal)) return report_error(kName, "Input must be a vector", nlhs, plhs);
    const size_t rows = mxGetM(signal), cols = mxGetN(signal);
    if ((rows == 1 && cols == 1) || (rows != 1 && cols != 1)) invalid_dimensions();
    const size_t len = longer_side(signal);
    int P = 0, log2p = 0;
    if (len > INT_MAX || next_pow2(static_cast<int>(len), &P, &log2p))
        return report_error(kName, "Internal memory allocation failure", nlhs, plhs);
    const int N = static_cast<int>(len);
    double* out = static_cast<double*>(mxMalloc(static_cast<size_t>(P) * N * sizeof(double)));
    if (!out) return report_error(kName, "Internal memory allocation failure", nlhs, plhs);

    static const TextMessages kTypeText = {"Smoothing window type must be a string",
                                           "Internal memory allocation failure", "Could not get kernel type"};
    static const char* const kTypeNames[] = {"csk", "CSK", "ckd", "CKD", "mfk", "MFK"};
    char* text = nullptr;
    if (const char* msg = read_text(prhs[1], kTypeText, &text)) return report_error(kName, msg, nlhs, plhs);
    const int index = match_name(text, kTypeNames, 6);
    if (index < 0) return report_error(kName, "Unknown kernel type", nlhs, plhs);
    const Kernel type = static_cast<Kernel>(index / 2);

    double** table = new_table(P, N);
    if (!table) return empty_outputs(nlhs, plhs);
    switch (build_kernel(type, nrhs, prhs, table, P, N)) {
    case kBuilt: break;
    case kEmpty: return empty_outputs(nlhs, plhs);
    case kUnassigned: return;
    }

    // Only the real part of the signal is used; other numeric classes are converted first.
    const double *x, *xi;
    if (read_doubles(signal, &x, &xi)) return report_error(kName, "Memory allocation failed", nlhs, plhs);
    if (kernel_distribution(x, N, P, table, out)) return empty_outputs(nlhs, plhs);

    plhs[0] = mxCreateDoubleMatrix(static_cast<mwSize>(P), static_cast<mwSize>(N), mxREAL);
    if (!plhs[0]) {
        mexPrintf("Memory allocation failure: plhs");
        return empty_outputs(nlhs, plhs);
    }
    mxSetPr(plhs[0], out);
}
