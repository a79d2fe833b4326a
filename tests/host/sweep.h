// Shared test support: the allocation-failure sweep every module registers into, and small
// helpers for reading results.
#ifndef TOOLBOX_TESTS_SWEEP_H
#define TOOLBOX_TESTS_SWEEP_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "mexhost.h"

// The text mex_error prints for a routine and a message.
std::string error_text(const std::string& routine, const std::string& msg);
std::string warning_text(const std::string& routine, const std::string& msg);

// A complex m-by-n signal of random phases and magnitudes in [0.2, 1): no zero sample.
mexhost::Array random_complex(size_t m, size_t n, unsigned seed);

// Bitwise equality of two doubles (NaN payloads and signed zeros included).
bool same_bits(double a, double b);

// An output is the 0x0 real double matrix of a failed call.
::testing::AssertionResult is_empty_output(const mexhost::Result& r, size_t slot = 0);

// The error exit of an entry point: exactly the message printed under the routine, nothing
// raised, no interface misuse, every requested output 0x0 (and slot 0 untouched for nlhs = 0).
::testing::AssertionResult is_error_exit(const mexhost::Result& r, const std::string& routine,
                                         const std::string& msg, int nlhs);

// Allocation-failure sweep: the call is made once to count its allocations, then again failing
// allocation 1, 2, ... in turn. Every run must end without a crash or interface misuse; `check`
// is given each run's result and the failing allocation's number and asserts what the module
// must have done. A last run with no failure must repeat the first exactly.
struct SweepCase {
    std::string module;
    int nlhs;
    std::vector<mexhost::Array> args;
    std::function<void(const mexhost::Result&, long k)> check;
    mexhost::Options base = {};
};
void run_sweep(const SweepCase& c);

// One line per module: ALLOC_SWEEP(name, SweepCase{...});
#define ALLOC_SWEEP(name, ...) \
    TEST(AllocationSweep, name) { run_sweep(__VA_ARGS__); }

#endif
