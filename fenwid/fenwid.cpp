// fenwid: test signals whose frequency follows a linear, quadratic, cubic, hyperbolic,
// sinusoidal or stepped law, analytic (complex) or real.
//   x = fenwid(law, a, b, N, s)        law: 'lin' 'quad' 'cubic' 'hyp' (or in capitals)
//   x = fenwid('sin', a, b, N, s, c)   x = fenwid('step', a, b, N, s, K)
#include <cstdint>

#include "frame.h"
#include "laws.h"

namespace {

const char* const kName = "fenwid";
const char* const kSecond = "Second input parameter must be a scalar";

enum Form { kFiveInput, kSinusoidal, kStepped };

struct Params {
    double a = 0, b = 0, c = 0;
    int N = 0, K = 0;
    bool real = false;
};

// Inputs 2 to 5, common to every form. Returns the message of the first failed check, or null.
const char* read_common(const mxArray* prhs[], Params* p)
{
    if (!is_scalar(prhs[1])) return kSecond;
    p->a = param_double(prhs[1]);
    if (!is_scalar(prhs[2])) return kSecond;
    p->b = param_double(prhs[2]);
    if (!is_scalar(prhs[3])) return "Fourth input parameter must be a scalar";
    p->N = param_int(prhs[3]);
    if (p->N < 1) return "Number of samples must be greater than zero";
    if (!is_scalar(prhs[4])) return "sig_type flag must be 0 (analytic) or 1 (real)";
    // The kind is held in 16 bits: 1 is real, every other value (65537 included) analytic.
    p->real = static_cast<int16_t>(static_cast<uint16_t>(param_int(prhs[4]) & 0xFFFF)) == 1;
    return nullptr;
}

const char* read_form(Form form, int nrhs, const mxArray* prhs[], Params* p)
{
    if (form == kFiveInput && nrhs > 5) return "Too many input arguments";
    if (form == kSinusoidal && nrhs < 6) return "Not enough input arguments for type 'sin'";
    if (form == kStepped && nrhs < 6) return "Not enough input arguments";
    if (const char* msg = read_common(prhs, p)) return msg;
    if (form == kSinusoidal) {
        if (!is_scalar(prhs[5])) return kSecond;
        p->c = param_double(prhs[5]);
    } else if (form == kStepped) {
        if (!is_scalar(prhs[5])) return "Fifth input parameter must be a scalar";
        p->K = param_int(prhs[5]);
        if (p->K < 2) return "Number of frequency steps must be greater than or equal to two";
    }
    return nullptr;
}

// The law names in the order they are compared; a name and its capitals share index / 2.
enum Law { kLin, kQuad, kCubic, kHyp, kSin, kStep };
const char* const kLawNames[] = {"lin", "LIN", "quad", "QUAD", "cubic", "CUBIC",
                                 "hyp", "HYP", "sin", "SIN", "step", "STEP"};
const TextMessages kLawText = {"Data type must be a string", "Internal memory allocation failure",
                               "Could not get data type"};

}  // namespace

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    if (nrhs < 5) return report_error(kName, "Not enough input arguments", nlhs, plhs);
    if (nrhs > 6) return report_error(kName, "Too many input arguments", nlhs, plhs);
    if (nlhs > 1) return report_error(kName, "Too many output arguments", nlhs, plhs);
    char* text = nullptr;
    if (const char* msg = read_text(prhs[0], kLawText, &text)) return report_error(kName, msg, nlhs, plhs);
    const int index = match_name(text, kLawNames, 12);
    if (index < 0) return report_error(kName, "Unknown data type", nlhs, plhs);
    const Law law = static_cast<Law>(index / 2);
    const Form form = law == kSin ? kSinusoidal : law == kStep ? kStepped : kFiveInput;

    Params p;
    if (const char* msg = read_form(form, nrhs, prhs, &p)) return report_error(kName, msg, nlhs, plhs);

    plhs[0] = mxCreateDoubleMatrix(static_cast<mwSize>(p.N), 1, p.real ? mxREAL : mxCOMPLEX);
    if (!plhs[0]) return report_error(kName, "Memory allocation failure", nlhs, plhs);
    double* re = mxGetPr(plhs[0]);
    double* im = p.real ? nullptr : mxGetPi(plhs[0]);
    if (form == kFiveInput) {
        if (!re) return report_error(kName, "result_r is NULL!", nlhs, plhs);
        if (!p.real && !im) return report_error(kName, "result_i is NULL!", nlhs, plhs);
    }

    switch (law) {
    case kLin: lin_law(re, im, p.a, p.b, p.N); break;
    case kQuad: quad_law(re, im, p.a, p.b, p.N); break;
    case kHyp: hyp_law(re, im, p.a, p.b, p.N); break;
    case kCubic: cubic_law(re, im, p.a, p.b, p.N); break;
    case kSin: sin_law(re, im, p.a, p.b, p.N, p.c); break;
    case kStep: step_law(re, im, p.a, p.b, p.N, p.K); break;
    }
}
