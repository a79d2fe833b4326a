// mexhost_call IN OUT: runs one module call described in IN against the host build and writes
// what it did to OUT, so that a suite running in the real client can compare both builds.
//
// Both files are little-endian binary. A string is an int32 length and its bytes; an array is
// int32 class id, int32 complex, int32 sparse, int64 rows, int64 columns, then rows*columns
// doubles of real data and, when complex, as many of imaginary data (char data as codes).
// IN:  string module, int32 nlhs, int32 fail_alloc, int32 fft_imag (0 keep, 1 narrow, 2 drop),
//      int32 nargs, then the arguments.
// OUT: string printed, int32 raised, string error, int32 slots, then per slot int32 assigned and,
//      when assigned, the array.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "mexhost.h"

static bool get(FILE* f, void* p, size_t n) { return std::fread(p, 1, n, f) == n; }

static std::string get_string(FILE* f)
{
    int32_t len = 0;
    if (!get(f, &len, 4) || len < 0) return {};
    std::string s(static_cast<size_t>(len), '\0');
    if (len) get(f, &s[0], static_cast<size_t>(len));
    return s;
}

static mexhost::Array get_array(FILE* f)
{
    int32_t cls = 0, cplx = 0, sparse = 0;
    int64_t m = 0, n = 0;
    get(f, &cls, 4);
    get(f, &cplx, 4);
    get(f, &sparse, 4);
    get(f, &m, 8);
    get(f, &n, 8);
    mexhost::Array a;
    a.cls = static_cast<mxClassID>(cls);
    a.complex = cplx != 0;
    a.sparse = sparse != 0;
    a.m = static_cast<size_t>(m);
    a.n = static_cast<size_t>(n);
    bool has_data = a.cls != mxCELL_CLASS && a.cls != mxSTRUCT_CLASS;
    if (has_data) {
        a.re.resize(a.m * a.n);
        get(f, a.re.data(), a.re.size() * sizeof(double));
        if (a.complex) {
            a.im.resize(a.m * a.n);
            get(f, a.im.data(), a.im.size() * sizeof(double));
        }
    }
    return a;
}

static void put(FILE* f, const void* p, size_t n) { std::fwrite(p, 1, n, f); }

static void put_string(FILE* f, const std::string& s)
{
    int32_t len = static_cast<int32_t>(s.size());
    put(f, &len, 4);
    put(f, s.data(), s.size());
}

static void put_array(FILE* f, const mexhost::Array& a)
{
    int32_t cls = a.cls, cplx = a.complex, sparse = a.sparse;
    int64_t m = static_cast<int64_t>(a.m), n = static_cast<int64_t>(a.n);
    put(f, &cls, 4);
    put(f, &cplx, 4);
    put(f, &sparse, 4);
    put(f, &m, 8);
    put(f, &n, 8);
    put(f, a.re.data(), a.re.size() * sizeof(double));
    if (a.complex) put(f, a.im.data(), a.im.size() * sizeof(double));
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mexhost_call IN OUT\n");
        return 2;
    }
    FILE* in = std::fopen(argv[1], "rb");
    if (!in) {
        std::fprintf(stderr, "mexhost_call: cannot read %s\n", argv[1]);
        return 2;
    }
    std::string module = get_string(in);
    int32_t nlhs = 0, fail = 0, imag = 0, nargs = 0;
    get(in, &nlhs, 4);
    get(in, &fail, 4);
    get(in, &imag, 4);
    get(in, &nargs, 4);
    std::vector<mexhost::Array> args;
    for (int32_t i = 0; i < nargs; ++i) args.push_back(get_array(in));
    std::fclose(in);

    mexhost::Options opt;
    opt.fail_alloc = fail;
    opt.fft_imag = static_cast<mexhost::FftImag>(imag);
    mexhost::Result r = mexhost::call(module, nlhs, args, opt);

    FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::fprintf(stderr, "mexhost_call: cannot write %s\n", argv[2]);
        return 2;
    }
    put_string(out, r.printed);
    int32_t raised = r.raised;
    put(out, &raised, 4);
    put_string(out, r.error);
    int32_t slots = static_cast<int32_t>(r.assigned.size());
    put(out, &slots, 4);
    for (size_t i = 0; i < r.assigned.size(); ++i) {
        int32_t assigned = r.assigned[i];
        put(out, &assigned, 4);
        if (assigned) put_array(out, r.outputs[i]);
    }
    std::fclose(out);
    return r.misuse.empty() ? 0 : 3;
}
