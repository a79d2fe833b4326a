// Internal state of the host: the arrays and memory of the call in progress.
#ifndef TOOLBOX_HOST_STATE_H
#define TOOLBOX_HOST_STATE_H

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "mexhost.h"

struct mxArray_host {
    mxClassID cls;
    size_t m, n;
    bool complex, sparse;
    bool input;      // handed to the module as an argument: it must not destroy it
    void* re;        // element data (class-sized elements), null for cell/struct
    void* im;        // imaginary block, null for real arrays
};

namespace mexhost {
namespace detail {

// Raised when the call must end with a client error (mexErrMsgTxt, a failing called function).
struct Raised {
    std::string msg;
};

struct CallState {
    bool active = false;
    Options opt;
    long alloc_count = 0;
    long live_bytes = 0, peak_bytes = 0;
    std::unordered_map<void*, size_t> blocks;  // live mxMalloc/mxCalloc blocks and their sizes
    std::unordered_set<mxArray*> arrays;       // live arrays created during the call
    std::string printed;
    std::vector<std::string> calls, zarn;
    std::string misuse;
};

CallState& state();
void begin(const Options& opt);
void end();                      // reclaims every block and array still alive
bool allocation_fails();         // counts one allocation; true when this one is to fail
void add_bytes(long delta);
void note_misuse(const std::string& what);

size_t element_size(mxClassID cls);
bool is_numeric_class(mxClassID cls);
mxArray* new_array(mxClassID cls, size_t m, size_t n, bool complex);  // untracked by the counter
void free_array(mxArray* a);  // its data and itself, with the byte count
double element_as_double(const mxArray* a, const void* block, size_t i);
void set_element(mxArray* a, void* block, size_t i, double v);
Array to_value(const mxArray* a);

}  // namespace detail
}  // namespace mexhost

#endif
