// The module frame: how every module reports errors and warnings, fills its outputs on failure,
// tests and reads its arguments, and moves data between the client's blocks and Complex arrays.
#ifndef TOOLBOX_FRAME_H
#define TOOLBOX_FRAME_H

#include "fourier.h"
#include "mex.h"

void mex_error(const char* name, const char* msg);
void mex_warning(const char* name, const char* msg);
int matlab_error(const char* msg);
int matlab_warning(const char* msg);
void empty_outputs(int nlhs, mxArray* plhs[]);
void zero_outputs(int nlhs, mxArray* plhs[]);
int is_scalar(const mxArray* arr);

void pack_complex(Complex* out, const double* re, const double* im, int n);
void real_to_complex(Complex* out, const double* re, int n);
void unpack_complex(const Complex* in, double* re, double* im, int n);

// The error exit of every entry point: the message under the routine name, then empty outputs.
void report_error(const char* name, const char* msg, int nlhs, mxArray* plhs[]);

// Length of a signal argument: numeric, not sparse, exactly one dimension equal to 1. Returns 0
// when the test fails, and also for an empty vector (1x0, 0x1) and for lengths an int cannot hold.
int signal_length(const mxArray* arr);

// A numeric scalar parameter truncated toward zero to 32 bits; NaN, infinities and values out of
// range become INT32_MIN, which fails every test for a positive value.
int param_int(const mxArray* arr);
int truncate_int(double v);

// The value of a numeric scalar parameter as a double, whatever its class (real part only).
double param_double(const mxArray* arr);

// The real and imaginary blocks of a numeric array as doubles: the array's own blocks for double
// arrays, converted copies (from mxCalloc) for single and integer arrays. im is null for a real
// array. Returns 0, or 1 when a copy could not be allocated.
int read_doubles(const mxArray* arr, const double** re, const double** im);

// A text argument (a law, window or kernel name): the char array's text in a zero-filled buffer
// of (columns + 1) bytes from mxCalloc, left for the client to reclaim. Returns the message of the
// first failed step (not text, buffer not obtained, text does not fit the buffer as for an array
// of several rows), or null with *text set.
struct TextMessages {
    const char* not_text;
    const char* no_memory;
    const char* does_not_fit;
};
const char* read_text(const mxArray* arr, const TextMessages& msgs, char** text);

// Index of the first of count names equal to text (whole and case-sensitive), or -1.
int match_name(const char* text, const char* const names[], int count);

// The error for a requested transform length that has no power of two within range.
inline constexpr const char* kFftLengthTooLarge = "FFT length must be no greater than 1073741824";

// Smallest power of two not below len (len >= 1): *nfft and its base-2 logarithm *log2n.
// Returns 0, or 1 when len is below 1 or above 2^30 (no such power fits an int).
int next_pow2(int len, int* nfft, int* log2n);

#endif
