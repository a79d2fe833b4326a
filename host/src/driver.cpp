// Loading modules and running calls the way the client does: fresh inputs, output slots that
// start empty, and everything the call allocated reclaimed when it returns.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "state.h"

namespace mexhost {

using namespace detail;

const Module& load(const std::string& name, const std::string& dir)
{
    static std::map<std::string, Module> loaded;
    std::string folder = dir;
    if (folder.empty()) {
        const char* env = std::getenv("MEXHOST_MODULE_DIR");
        folder = env && *env ? env : MEXHOST_DEFAULT_MODULE_DIR;
    }
    std::string path = folder + "/" + name + ".so";
    auto it = loaded.find(path);
    if (it != loaded.end()) return it->second;
    Module m;
    m.name = name;
    m.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m.handle) {
        std::fprintf(stderr, "mexhost: cannot load %s: %s\n", path.c_str(), dlerror());
        std::abort();
    }
    m.entry = reinterpret_cast<void (*)(int, mxArray*[], int, const mxArray*[])>(
        dlsym(m.handle, "mexFunction"));
    if (!m.entry) {
        std::fprintf(stderr, "mexhost: %s exports no mexFunction\n", path.c_str());
        std::abort();
    }
    return loaded.emplace(path, m).first->second;
}

mxArray* make(const Array& v)
{
    mxArray* a = new_array(v.cls, v.m, v.n, v.complex);
    if (!a) {
        std::fprintf(stderr, "mexhost: cannot create an argument of %zux%zu\n", v.m, v.n);
        std::abort();
    }
    a->sparse = v.sparse;
    a->input = true;
    if (a->re)
        for (size_t i = 0; i < v.re.size() && i < v.m * v.n; ++i) set_element(a, a->re, i, v.re[i]);
    if (a->im)
        for (size_t i = 0; i < v.im.size() && i < v.m * v.n; ++i) set_element(a, a->im, i, v.im[i]);
    return a;
}

static void finish(Result& r)
{
    CallState& s = state();
    r.printed = s.printed;
    r.calls = s.calls;
    r.zarn = s.zarn;
    r.misuse = s.misuse;
    r.allocations = s.alloc_count;
    r.allocated_bytes_peak = s.peak_bytes;
    end();
}

Result call(const Module& mod, int nlhs, const std::vector<Array>& args, const Options& opt)
{
    begin(opt);
    std::vector<const mxArray*> prhs;
    for (const Array& a : args) prhs.push_back(make(a));
    // Live bytes count what the module itself holds: the arguments are the caller's.
    state().live_bytes = 0;
    state().peak_bytes = 0;
    const size_t slots = nlhs > 1 ? static_cast<size_t>(nlhs) : 1;
    std::vector<mxArray*> plhs(slots, nullptr);
    Result r;
    try {
        mod.entry(nlhs, plhs.data(), static_cast<int>(prhs.size()), prhs.data());
    } catch (const Raised& e) {
        r.raised = true;
        r.error = e.msg;
    }
    r.assigned.assign(slots, false);
    r.outputs.resize(slots);
    for (size_t i = 0; i < slots; ++i) {
        if (!plhs[i]) continue;
        if (!state().arrays.count(plhs[i])) {
            note_misuse("output slot " + std::to_string(i) + " holds an array the host did not hand out");
            continue;
        }
        r.assigned[i] = true;
        r.outputs[i] = to_value(plhs[i]);
    }
    finish(r);
    return r;
}

Result call(const std::string& name, int nlhs, const std::vector<Array>& args, const Options& opt)
{
    return call(load(name), nlhs, args, opt);
}

Result run(const std::function<void()>& fn, const Options& opt)
{
    begin(opt);
    Result r;
    try {
        fn();
    } catch (const Raised& e) {
        r.raised = true;
        r.error = e.msg;
    }
    finish(r);
    return r;
}

}  // namespace mexhost
