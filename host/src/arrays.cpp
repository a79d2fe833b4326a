// The array half of the interface: creating, inspecting and reading arrays.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "state.h"

namespace mexhost {
namespace detail {

size_t element_size(mxClassID cls)
{
    switch (cls) {
    case mxDOUBLE_CLASS: case mxINT64_CLASS: case mxUINT64_CLASS: return 8;
    case mxSINGLE_CLASS: case mxINT32_CLASS: case mxUINT32_CLASS: return 4;
    case mxINT16_CLASS: case mxUINT16_CLASS: case mxCHAR_CLASS: return 2;
    case mxINT8_CLASS: case mxUINT8_CLASS: case mxLOGICAL_CLASS: return 1;
    default: return 0;
    }
}

bool is_numeric_class(mxClassID cls)
{
    return cls >= mxDOUBLE_CLASS && cls <= mxUINT64_CLASS;
}

double element_as_double(const mxArray* a, const void* block, size_t i)
{
    switch (a->cls) {
    case mxDOUBLE_CLASS: return static_cast<const double*>(block)[i];
    case mxSINGLE_CLASS: return static_cast<const float*>(block)[i];
    case mxINT8_CLASS: return static_cast<const int8_t*>(block)[i];
    case mxUINT8_CLASS: return static_cast<const uint8_t*>(block)[i];
    case mxINT16_CLASS: return static_cast<const int16_t*>(block)[i];
    case mxUINT16_CLASS: return static_cast<const uint16_t*>(block)[i];
    case mxCHAR_CLASS: return static_cast<const uint16_t*>(block)[i];
    case mxINT32_CLASS: return static_cast<const int32_t*>(block)[i];
    case mxUINT32_CLASS: return static_cast<const uint32_t*>(block)[i];
    case mxINT64_CLASS: return static_cast<double>(static_cast<const int64_t*>(block)[i]);
    case mxUINT64_CLASS: return static_cast<double>(static_cast<const uint64_t*>(block)[i]);
    case mxLOGICAL_CLASS: return static_cast<const uint8_t*>(block)[i];
    default: return 0.0;
    }
}

// Integer classes round to nearest and saturate, as the client converts.
template <typename T>
static T to_int(double v)
{
    if (std::isnan(v)) return 0;
    double r = std::round(v);
    if (r <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (r >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}

void set_element(mxArray* a, void* block, size_t i, double v)
{
    switch (a->cls) {
    case mxDOUBLE_CLASS: static_cast<double*>(block)[i] = v; break;
    case mxSINGLE_CLASS: static_cast<float*>(block)[i] = static_cast<float>(v); break;
    case mxINT8_CLASS: static_cast<int8_t*>(block)[i] = to_int<int8_t>(v); break;
    case mxUINT8_CLASS: static_cast<uint8_t*>(block)[i] = to_int<uint8_t>(v); break;
    case mxINT16_CLASS: static_cast<int16_t*>(block)[i] = to_int<int16_t>(v); break;
    case mxUINT16_CLASS: static_cast<uint16_t*>(block)[i] = to_int<uint16_t>(v); break;
    case mxCHAR_CLASS: static_cast<uint16_t*>(block)[i] = to_int<uint16_t>(v); break;
    case mxINT32_CLASS: static_cast<int32_t*>(block)[i] = to_int<int32_t>(v); break;
    case mxUINT32_CLASS: static_cast<uint32_t*>(block)[i] = to_int<uint32_t>(v); break;
    case mxINT64_CLASS: static_cast<int64_t*>(block)[i] = to_int<int64_t>(v); break;
    case mxUINT64_CLASS: static_cast<uint64_t*>(block)[i] = to_int<uint64_t>(v); break;
    case mxLOGICAL_CLASS: static_cast<uint8_t*>(block)[i] = v != 0.0; break;
    default: break;
    }
}

Array to_value(const mxArray* a)
{
    Array v;
    v.cls = a->cls;
    v.m = a->m;
    v.n = a->n;
    v.complex = a->complex;
    v.sparse = a->sparse;
    if (a->re) {
        v.re.resize(a->m * a->n);
        for (size_t i = 0; i < v.re.size(); ++i) v.re[i] = element_as_double(a, a->re, i);
    }
    if (a->im) {
        v.im.resize(a->m * a->n);
        for (size_t i = 0; i < v.im.size(); ++i) v.im[i] = element_as_double(a, a->im, i);
    }
    return v;
}

}  // namespace detail
}  // namespace mexhost

using namespace mexhost::detail;

extern "C" {

mxArray* mxCreateNumericMatrix(mwSize m, mwSize n, mxClassID cls, mxComplexity flag)
{
    if (allocation_fails()) return nullptr;
    return new_array(cls, m, n, flag == mxCOMPLEX);
}

mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag)
{
    return mxCreateNumericMatrix(m, n, mxDOUBLE_CLASS, flag);
}

mxArray* mxCreateString(const char* text)
{
    if (allocation_fails()) return nullptr;
    size_t len = text ? std::strlen(text) : 0;
    mxArray* a = new_array(mxCHAR_CLASS, len ? 1 : 0, len, false);
    if (!a) return nullptr;
    for (size_t i = 0; i < len; ++i)
        static_cast<uint16_t*>(a->re)[i] = static_cast<unsigned char>(text[i]);
    return a;
}

void mxDestroyArray(mxArray* a)
{
    if (!a) return;
    CallState& s = state();
    if (a->input) {
        note_misuse("mxDestroyArray of an input argument");
        return;
    }
    if (s.active) {
        if (!s.arrays.erase(a)) {
            note_misuse("mxDestroyArray of an array the host did not hand out");
            return;
        }
    }
    free_array(a);
}

mwSize mxGetM(const mxArray* a) { return a->m; }
mwSize mxGetN(const mxArray* a) { return a->n; }
mwSize mxGetNumberOfElements(const mxArray* a) { return a->m * a->n; }
mwSize mxGetElementSize(const mxArray* a) { return element_size(a->cls); }
mxClassID mxGetClassID(const mxArray* a) { return a->cls; }

int mxIsNumeric(const mxArray* a) { return is_numeric_class(a->cls); }
int mxIsSparse(const mxArray* a) { return a->sparse; }
int mxIsComplex(const mxArray* a) { return a->complex; }
int mxIsChar(const mxArray* a) { return a->cls == mxCHAR_CLASS; }
int mxIsDouble(const mxArray* a) { return a->cls == mxDOUBLE_CLASS; }
int mxIsLogical(const mxArray* a) { return a->cls == mxLOGICAL_CLASS; }
int mxIsEmpty(const mxArray* a) { return a->m == 0 || a->n == 0; }

// As in the client, these hand out the blocks whatever the class: reading a non-double array
// through them as doubles is the caller's fault (and what the sanitizers are there to catch).
double* mxGetPr(const mxArray* a) { return static_cast<double*>(a->re); }
double* mxGetPi(const mxArray* a) { return static_cast<double*>(a->im); }
void* mxGetData(const mxArray* a) { return a->re; }
void* mxGetImagData(const mxArray* a) { return a->im; }

static void set_block(mxArray* a, void** slot, double* p)
{
    CallState& s = state();
    size_t need = a->m * a->n * element_size(a->cls);
    if (s.active && p) {
        auto it = s.blocks.find(p);
        if (it == s.blocks.end()) {
            note_misuse("mxSetPr/mxSetPi with a block not from mxMalloc/mxCalloc");
            return;
        }
        if (it->second < need) note_misuse("mxSetPr/mxSetPi with a block smaller than the array");
        add_bytes(static_cast<long>(need) - static_cast<long>(it->second));
        s.blocks.erase(it);
    }
    if (*slot) add_bytes(-static_cast<long>(need));
    std::free(*slot);
    *slot = p;
}

void mxSetPr(mxArray* a, double* pr) { set_block(a, &a->re, pr); }
void mxSetPi(mxArray* a, double* pi)
{
    set_block(a, &a->im, pi);
    a->complex = a->im != nullptr;
}

double mxGetScalar(const mxArray* a)
{
    if (!a->re || a->m * a->n == 0) return 0.0;
    return element_as_double(a, a->re, 0);
}

int mxGetString(const mxArray* a, char* buf, mwSize buflen)
{
    if (a->cls != mxCHAR_CLASS || buflen == 0) return 1;
    size_t nel = a->m * a->n;
    size_t k = nel < buflen - 1 ? nel : buflen - 1;
    for (size_t i = 0; i < k; ++i) buf[i] = static_cast<char>(static_cast<uint16_t*>(a->re)[i]);
    buf[k] = '\0';
    return nel >= buflen ? 1 : 0;
}

}  // extern "C"
