// Driver API of our MEX host: load a module, build its inputs, call it, read back what it did.
// Used by the C++ test suites, the benchmarks and the mexhost_call tool.
#ifndef TOOLBOX_MEXHOST_H
#define TOOLBOX_MEXHOST_H

#include <functional>
#include <string>
#include <vector>

#include "mex.h"

namespace mexhost {

// A value on the test side, independent of any call. Numeric data are held as doubles whatever
// the class (converted to the class when the call is made); char data as character codes.
struct Array {
    mxClassID cls = mxDOUBLE_CLASS;
    size_t m = 0, n = 0;
    bool complex = false;
    bool sparse = false;
    std::vector<double> re, im;  // m*n values in column order (im only when complex)

    double operator[](size_t i) const { return re.at(i); }
    size_t numel() const { return m * n; }
};

// Builders for every kind of argument a user can pass.
Array real(size_t m, size_t n, std::vector<double> values = {});  // zero-filled when values empty
Array column(std::vector<double> values);
Array row(std::vector<double> values);
Array cplx(size_t m, size_t n, std::vector<double> re, std::vector<double> im);
Array scalar(double v);
Array cscalar(double re, double im);
Array str(const std::string& text);                 // 1-by-len char row
Array chars(const std::vector<std::string>& rows);  // multi-row char array (rows of equal length)
Array of_class(mxClassID cls, size_t m, size_t n, std::vector<double> values);  // single, ints, logical
Array sparse_scalar(double v);
Array sparse(size_t m, size_t n, std::vector<double> values);
Array cell(size_t m, size_t n);    // opaque non-numeric value
Array strct(size_t m, size_t n);   // opaque non-numeric value
Array empty(size_t m, size_t n);   // double 0x0, 1x0, 0x1, ...

// How the client's "fft"/"ifft" hand back results whose imaginary parts are all zero.
enum class FftImag {
    keep,    // always complex
    narrow,  // real when every imaginary part is zero (what a real client does)
    drop     // always real, whatever the data: exercises the no-imaginary-part path
};

struct Options {
    long fail_alloc = 0;  // fail the k-th allocation of the call (1-based; 0 never)
    bool failed_call_raises = true;  // a failing mexCallMATLAB raises an error, as the client does;
                                     // false: it returns a nonzero status instead
    FftImag fft_imag = FftImag::keep;
};

struct Result {
    std::string printed;            // everything the module printed, byte for byte
    bool raised = false;            // the call ended with an error (mexErrMsgTxt or a called function)
    std::string error;              // its message
    std::vector<bool> assigned;     // per output slot (max(nlhs, 1) slots)
    std::vector<Array> outputs;     // per output slot; meaningful where assigned
    std::vector<std::string> calls; // names passed to mexCallMATLAB, in order
    std::vector<std::string> zarn;  // messages passed to zarn_err / zarn_wrn ("err: ..." / "wrn: ...")
    std::string misuse;             // interface misuse seen by the host (bad free, short mxSetPr, ...)
    long allocations = 0;           // allocations made during the call
    long allocated_bytes_peak = 0;  // peak of live bytes (blocks and array data) during the call

    const Array& out(size_t i = 0) const { return outputs.at(i); }
};

struct Module {
    std::string name;
    void* handle = nullptr;
    void (*entry)(int, mxArray*[], int, const mxArray*[]) = nullptr;
};

// Loads NAME from the folder given (default: the folder the build put the host modules in,
// or $MEXHOST_MODULE_DIR when set). Aborts with a message when the module cannot be loaded.
const Module& load(const std::string& name, const std::string& dir = "");

Result call(const Module& mod, int nlhs, const std::vector<Array>& args, const Options& opt = {});
Result call(const std::string& name, int nlhs, const std::vector<Array>& args, const Options& opt = {});

// Runs fn as if inside a module call (allocations tracked and reclaimed, printing captured):
// for testing library routines directly.
Result run(const std::function<void()>& fn, const Options& opt = {});

// The value of an array inside such a run, created and owned by the host for the run.
mxArray* make(const Array& a);

}  // namespace mexhost

#endif
