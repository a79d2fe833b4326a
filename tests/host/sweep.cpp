#include "sweep.h"

#include <cmath>
#include <cstring>
#include <random>

std::string error_text(const std::string& routine, const std::string& msg)
{
    return "??? Error using ==> " + routine + "\a\n" + msg + ".\n\n";
}

std::string warning_text(const std::string& routine, const std::string& msg)
{
    return "??? Warning ==> " + routine + "\n" + msg + ".\n\n";
}

mexhost::Array random_complex(size_t m, size_t n, unsigned seed)
{
    const double pi = 3.141592653589793;
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(0.2, 1.0), ph(-pi, pi);
    std::vector<double> re(m * n), im(m * n);
    for (size_t k = 0; k < m * n; ++k) {
        const double a = u(gen), p = ph(gen);
        re[k] = a * std::cos(p);
        im[k] = a * std::sin(p);
    }
    return mexhost::cplx(m, n, re, im);
}

bool same_bits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

::testing::AssertionResult is_empty_output(const mexhost::Result& r, size_t slot)
{
    if (slot >= r.assigned.size() || !r.assigned[slot])
        return ::testing::AssertionFailure() << "output " << slot << " not assigned";
    const mexhost::Array& a = r.outputs[slot];
    if (a.m != 0 || a.n != 0 || a.complex || a.cls != mxDOUBLE_CLASS)
        return ::testing::AssertionFailure() << "output " << slot << " is " << a.m << "x" << a.n
                                             << (a.complex ? " complex" : "") << " class " << a.cls;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult is_error_exit(const mexhost::Result& r, const std::string& routine,
                                         const std::string& msg, int nlhs)
{
    if (r.printed != error_text(routine, msg))
        return ::testing::AssertionFailure() << "printed \"" << r.printed << "\"";
    if (r.raised) return ::testing::AssertionFailure() << "raised " << r.error;
    if (!r.misuse.empty()) return ::testing::AssertionFailure() << "misuse: " << r.misuse;
    for (int i = 0; i < nlhs; ++i)
        if (::testing::AssertionResult e = is_empty_output(r, static_cast<size_t>(i)); !e) return e;
    if (nlhs == 0 && r.assigned.at(0)) return ::testing::AssertionFailure() << "slot 0 assigned";
    return ::testing::AssertionSuccess();
}

static bool same_outputs(const mexhost::Result& a, const mexhost::Result& b)
{
    if (a.assigned != b.assigned || a.printed != b.printed || a.raised != b.raised) return false;
    for (size_t i = 0; i < a.outputs.size(); ++i) {
        const mexhost::Array &x = a.outputs[i], &y = b.outputs[i];
        if (x.m != y.m || x.n != y.n || x.complex != y.complex || x.cls != y.cls) return false;
        if (x.re.size() != y.re.size() || x.im.size() != y.im.size()) return false;
        for (size_t k = 0; k < x.re.size(); ++k)
            if (!same_bits(x.re[k], y.re[k])) return false;
        for (size_t k = 0; k < x.im.size(); ++k)
            if (!same_bits(x.im[k], y.im[k])) return false;
    }
    return true;
}

void run_sweep(const SweepCase& c)
{
    const mexhost::Module& mod = mexhost::load(c.module);
    const mexhost::Result clean = mexhost::call(mod, c.nlhs, c.args, c.base);
    ASSERT_EQ(clean.misuse, "");
    ASSERT_GT(clean.allocations, 0) << c.module << " allocated nothing: the sweep tests nothing";
    for (long k = 1; k <= clean.allocations; ++k) {
        SCOPED_TRACE(c.module + ": failing allocation " + std::to_string(k) + " of " +
                     std::to_string(clean.allocations));
        mexhost::Options opt = c.base;
        opt.fail_alloc = k;
        const mexhost::Result r = mexhost::call(mod, c.nlhs, c.args, opt);
        EXPECT_EQ(r.misuse, "");
        c.check(r, k);
    }
    mexhost::Options opt = c.base;
    opt.fail_alloc = clean.allocations + 1;
    EXPECT_TRUE(same_outputs(clean, mexhost::call(mod, c.nlhs, c.args, opt)));
}
