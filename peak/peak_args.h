// Argument handling shared by tarsel, hovat and gindle4: the same checks in the same order, with
// the few places where the modules differ given as rules.
#ifndef TOOLBOX_PEAK_ARGS_H
#define TOOLBOX_PEAK_ARGS_H

#include "mex.h"

struct PeakRules {
    const char* name;              // routine name of argument messages and of the warning
    const char* window_not_scalar; // message for a window length that is not a scalar
    int odd_window;                // a window longer than the signal becomes the largest odd
                                   // length not above it (1) or the signal length (0)
    const char* memory_name;       // routine name and message when the converted copy of a
    const char* memory_msg;        // non-double signal cannot be had
};

struct PeakArgs {
    const double* re;  // the signal as doubles
    const double* im;  // null for a real signal
    int n;             // signal length
    int window;        // window length after truncation to the signal
    int step;          // time resolution: samples between instants
    int nfft;          // transform length, a power of two not below the window length
    int log2n;
    int count;         // number of instants, ceil(n / step)
};

// Runs the checks; returns 0 with *a filled when the call may go on, or 1 when a message has been
// printed and every requested output emptied.
int peak_args(const PeakRules& rules, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[],
              PeakArgs* a);

#endif
