// Call-scoped memory: every block and array made during a call is reclaimed when it ends, and
// the k-th allocation can be made to fail.
#include <cstdlib>
#include <cstring>

#include "state.h"

namespace mexhost {
namespace detail {

CallState& state()
{
    static CallState s;
    return s;
}

void begin(const Options& opt)
{
    CallState& s = state();
    s = CallState();
    s.active = true;
    s.opt = opt;
}

void free_array(mxArray* a)
{
    size_t bytes = a->m * a->n * element_size(a->cls);
    if (a->re) add_bytes(-static_cast<long>(bytes));
    if (a->im) add_bytes(-static_cast<long>(bytes));
    std::free(a->re);
    std::free(a->im);
    delete a;
}

void end()
{
    CallState& s = state();
    for (auto& b : s.blocks) std::free(b.first);
    s.blocks.clear();
    for (mxArray* a : s.arrays) free_array(a);
    s.arrays.clear();
    s.active = false;
}

bool allocation_fails()
{
    CallState& s = state();
    if (!s.active) return false;
    ++s.alloc_count;
    return s.opt.fail_alloc > 0 && s.alloc_count == s.opt.fail_alloc;
}

void add_bytes(long delta)
{
    CallState& s = state();
    s.live_bytes += delta;
    if (s.live_bytes > s.peak_bytes) s.peak_bytes = s.live_bytes;
}

void note_misuse(const std::string& what)
{
    CallState& s = state();
    if (!s.misuse.empty()) s.misuse += "; ";
    s.misuse += what;
}

mxArray* new_array(mxClassID cls, size_t m, size_t n, bool complex)
{
    size_t es = element_size(cls);
    size_t count = m * n;
    if (n != 0 && count / n != m) return nullptr;
    if (es != 0 && count > SIZE_MAX / es) return nullptr;
    size_t bytes = count * es;
    mxArray* a = new mxArray{cls, m, n, complex, false, false, nullptr, nullptr};
    if (es != 0) {
        a->re = std::calloc(count ? count : 1, es);
        a->im = complex ? std::calloc(count ? count : 1, es) : nullptr;
        if (!a->re || (complex && !a->im)) {
            std::free(a->re);
            std::free(a->im);
            delete a;
            return nullptr;
        }
        add_bytes(static_cast<long>(bytes) * (complex ? 2 : 1));
    }
    if (state().active) state().arrays.insert(a);
    return a;
}

}  // namespace detail
}  // namespace mexhost

using namespace mexhost::detail;

extern "C" {

void* mxCalloc(mwSize n, mwSize size)
{
    if (allocation_fails()) return nullptr;
    if (size != 0 && n > SIZE_MAX / size) return nullptr;
    size_t bytes = n * size;
    void* p = std::calloc(bytes ? bytes : 1, 1);
    if (p && state().active) {
        state().blocks[p] = bytes;
        add_bytes(static_cast<long>(bytes));
    }
    return p;
}

void* mxMalloc(mwSize n)
{
    if (allocation_fails()) return nullptr;
    void* p = std::malloc(n ? n : 1);
    if (p && state().active) {
        state().blocks[p] = n;
        add_bytes(static_cast<long>(n));
    }
    return p;
}

void mxFree(void* p)
{
    if (!p) return;
    CallState& s = state();
    if (s.active) {
        auto it = s.blocks.find(p);
        if (it == s.blocks.end()) {
            note_misuse("mxFree of a block the host did not hand out");
            return;
        }
        add_bytes(-static_cast<long>(it->second));
        s.blocks.erase(it);
    }
    std::free(p);
}

}  // extern "C"
