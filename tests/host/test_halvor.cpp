// halvor: its kernel tables, its distribution, and every way a call can end.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "halvor_literal.h"
#include "sweep.h"

// The module's routines are linked into this suite as well (halvor_internals), so that kernel
// tables and the distribution can be checked directly, besides whole calls through the module.
#include "halvor/distribution.h"
#include "halvor/kernels.h"

using namespace mexhost;

namespace {

// mfk calls write check.txt into the current folder: the suite runs in a folder of its own.
class TempFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/test_halvor.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ASSERT_EQ(chdir(dir_.c_str()), 0);
    }
    void TearDown() override
    {
        std::remove((dir_ + "/check.txt").c_str());
        if (chdir("/") == 0) rmdir(dir_.c_str());
    }

private:
    std::string dir_;
};
const auto* const temp_folder = ::testing::AddGlobalTestEnvironment(new TempFolder);

const std::string kRoutine = "Compacttfd";
const std::string kNotice = "\n Invalid Dimensions ";

std::string dump_text()
{
    std::ifstream f("check.txt", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A P-by-N kernel table in one zeroed block, with its row references.
struct Table {
    int P, N;
    std::vector<double> block;
    std::vector<double*> rows;
    Table(int p, int n) : P(p), N(n), block(static_cast<size_t>(p) * n, 0.0), rows(p)
    {
        for (int j = 0; j < P; ++j) rows[j] = block.data() + static_cast<size_t>(j) * N;
    }
    double at(int j, int k) const { return block[static_cast<size_t>(j) * N + k]; }
};

int pow2_at_least(int n)
{
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// A kernel of each type, as the entry point builds it from its inputs.
struct KernelCase {
    const char* type;
    std::vector<Array> params;
    std::function<void(Table&)> build;
};

std::vector<KernelCase> kernel_cases()
{
    return {
        // Its support reaches every lag bin.
        {"csk", {scalar(1.0), scalar(0.5)}, [](Table& t) { csk_kernel(t.rows.data(), t.P, t.N, 1.0, 0.5); }},
        {"ckd", {scalar(0.5), scalar(0.35), scalar(0.2)},
         [](Table& t) { ckd_kernel(t.rows.data(), t.P, t.N, 0.5, 0.35, 0.2); }},
        {"mfk", {scalar(2.0), row({0, 60}), row({0.3, 0.1}), row({0.2, 0.25})},
         [](Table& t) {
             const double th[] = {0, 60}, D[] = {0.3, 0.1}, E[] = {0.2, 0.25};
             mfk_kernel(t.rows.data(), t.P, t.N, 2.0, th, D, E, 2);
         }},
    };
}

std::vector<double> test_signal(int N)
{
    std::vector<double> x(N);
    for (int n = 0; n < N; ++n) x[n] = std::cos(0.7 * n + 0.2) + 0.3 * std::sin(0.13 * n * n);
    return x;
}

// The literal computation on the host's client, with the given handling of imaginary parts.
std::vector<double> literal_distribution(const std::vector<double>& x, const Table& kernel, FftImag mode)
{
    const int N = static_cast<int>(x.size());
    std::vector<double> out(static_cast<size_t>(kernel.P) * N);
    Options opt;
    opt.fft_imag = mode;
    Result r = run(
        [&] { halvor_literal::kernel_distribution(x.data(), N, kernel.P, kernel.rows.data(), out.data()); }, opt);
    EXPECT_EQ(r.misuse, "");
    return out;
}

::testing::AssertionResult same_bits_all(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.size() != b.size()) return ::testing::AssertionFailure() << a.size() << " vs " << b.size() << " values";
    for (size_t i = 0; i < a.size(); ++i)
        if (!same_bits(a[i], b[i]))
            return ::testing::AssertionFailure() << "value " << i << ": " << a[i] << " vs " << b[i];
    return ::testing::AssertionSuccess();
}

std::vector<Array> args_of(const Array& x, const char* type, const std::vector<Array>& params)
{
    std::vector<Array> args = {x, str(type)};
    args.insert(args.end(), params.begin(), params.end());
    return args;
}

// kernel_distribution run directly on a table of our own.
std::vector<double> distribution_of(const std::vector<double>& x, const Table& kernel)
{
    const int N = static_cast<int>(x.size());
    std::vector<double> out(static_cast<size_t>(kernel.P) * N, -1.0);
    Result r = run([&] {
        EXPECT_EQ(kernel_distribution(x.data(), N, kernel.P, kernel.rows.data(), out.data()), 0);
    });
    EXPECT_EQ(r.misuse, "");
    EXPECT_EQ(r.printed, "");
    return out;
}

}  // namespace

// ---- kernel tables ----

TEST(HalvorKernels, CskWorkedNumbers)
{
    // P = 4, N = 3: H = 2, W = 1, so only column 0 is computed; rows 1 and 2 mirror each other.
    Table t(4, 3);
    csk_kernel(t.rows.data(), 4, 3, 1.0, 0.5);
    const double origin = std::exp(2.0) * std::exp(1.0 * 0.25 * (1 / (0.0 - 0.25) + 1 / (0.0 - 0.25)));
    EXPECT_NEAR(origin, 1.0, 1e-15);
    EXPECT_TRUE(same_bits(t.at(0, 0), origin));
    EXPECT_TRUE(same_bits(t.at(3, 0), origin));
    EXPECT_NEAR(t.at(1, 0), 0.716531, 5e-7);
    EXPECT_TRUE(same_bits(t.at(2, 0), t.at(1, 0)));
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(t.at(j, 1), 0.0);
        EXPECT_EQ(t.at(j, 2), 0.0);
    }
    // Only D^2 enters: a negative width gives the table of |D|.
    Table neg(4, 3);
    csk_kernel(neg.rows.data(), 4, 3, 1.0, -0.5);
    EXPECT_TRUE(same_bits_all(neg.block, t.block));
}

TEST(HalvorKernels, CkdWorkedNumbersAndUnwrittenColumn)
{
    Table t(4, 4);
    ckd_kernel(t.rows.data(), 4, 4, 1.0, 0.5, 0.4);
    // u = v = 0.25: 0.25^2/0.25 + 0.25^2/0.16 = 0.640625 < 1.
    EXPECT_NEAR(t.at(1, 1), 0.377434, 5e-7);
    for (int j : {1, 2})
        for (int k : {1, 3}) EXPECT_TRUE(same_bits(t.at(j, k), t.at(1, 1))) << j << "," << k;
    // N even: column N/2 is never written; rows 0 and 3 hold the m = 0 values.
    for (int j = 0; j < 4; ++j) EXPECT_EQ(t.at(j, 2), 0.0);
    EXPECT_NEAR(t.at(0, 0), 1.0, 1e-15);
    EXPECT_TRUE(same_bits(t.at(3, 1), t.at(0, 1)));
    EXPECT_GT(t.at(0, 1), t.at(1, 1));
}

TEST(HalvorKernels, MfkAtZeroDegreesIsCkdWithWidthsExchanged)
{
    const double th[] = {0}, D[] = {0.3}, E[] = {0.15};
    Table mfk(16, 12), ckd(16, 12);
    mfk_kernel(mfk.rows.data(), 16, 12, 0.7, th, D, E, 1);
    ckd_kernel(ckd.rows.data(), 16, 12, 0.7, 0.15, 0.3);
    EXPECT_TRUE(same_bits_all(mfk.block, ckd.block));
    int filled = 0;
    for (double v : ckd.block) filled += v != 0.0;
    EXPECT_GT(filled, 10);
}

TEST(HalvorKernels, MfkAtNinetyDegreesIsCloseToCkd)
{
    // 3.14159 instead of pi leaves cos(phi) ~ 1.3e-6: close to the ckd table, but not equal.
    const double th[] = {90}, D[] = {0.3}, E[] = {0.2};
    Table mfk(16, 16), ckd(16, 16);
    mfk_kernel(mfk.rows.data(), 16, 16, 1.0, th, D, E, 1);
    ckd_kernel(ckd.rows.data(), 16, 16, 1.0, 0.3, 0.2);
    double worst = 0;
    int nonzero = 0;
    for (size_t i = 0; i < ckd.block.size(); ++i) {
        EXPECT_EQ(mfk.block[i] == 0.0, ckd.block[i] == 0.0) << i;
        nonzero += ckd.block[i] != 0.0;
        worst = std::max(worst, std::fabs(mfk.block[i] - ckd.block[i]));
    }
    EXPECT_GT(nonzero, 8);
    EXPECT_LT(worst, 1e-5);
    EXPECT_GT(worst, 1e-9);
}

TEST(HalvorKernels, LaterMfkTermOverwritesInsideItsSupportOnly)
{
    const double th[] = {0, 45}, D[] = {0.45, 0.12}, E[] = {0.4, 0.3};
    Table both(16, 16), first(16, 16), second(16, 16);
    mfk_kernel(both.rows.data(), 16, 16, 1.0, th, D, E, 2);
    mfk_kernel(first.rows.data(), 16, 16, 1.0, th, D, E, 1);
    mfk_kernel(second.rows.data(), 16, 16, 1.0, th + 1, D + 1, E + 1, 1);
    int overlap = 0, first_only = 0;
    for (size_t i = 0; i < both.block.size(); ++i) {
        if (second.block[i] != 0.0) {
            EXPECT_TRUE(same_bits(both.block[i], second.block[i])) << i;
            overlap += first.block[i] != 0.0 && first.block[i] != second.block[i];
        } else {
            EXPECT_TRUE(same_bits(both.block[i], first.block[i])) << i;
            first_only += first.block[i] != 0.0;
        }
    }
    EXPECT_GT(overlap, 4);
    EXPECT_GT(first_only, 4);
}

TEST(HalvorKernels, PairsOnTheSupportBoundaryGetNothing)
{
    // P = N = 4: u and v take 0 and 0.25, and a width of 0.25 puts those pairs on the boundary.
    Table csk(4, 4), ckd(4, 4), mfk(4, 4);
    csk_kernel(csk.rows.data(), 4, 4, 1.0, 0.25);
    ckd_kernel(ckd.rows.data(), 4, 4, 1.0, 0.25, 0.25);
    const double th[] = {0}, D[] = {0.25}, E[] = {0.25};
    mfk_kernel(mfk.rows.data(), 4, 4, 1.0, th, D, E, 1);
    for (const Table* t : {&csk, &ckd, &mfk}) {
        EXPECT_NEAR(t->at(0, 0), 1.0, 1e-15);
        EXPECT_NEAR(t->at(3, 0), 1.0, 1e-15);
        for (size_t i = 0; i < t->block.size(); ++i)
            if (i != 0 && i != 12) {
                EXPECT_EQ(t->block[i], 0.0) << i;
            }
    }
}

TEST(HalvorKernels, SmallTablesAndZeroWidths)
{
    struct Case {
        int P, N;
        double width;
        int filled;  // entries expected non-zero
    };
    // P = 1: nothing computed. P = N = 2: only (0, 0), in rows 0 and 1 of column 0. Zero width:
    // no pair lies inside.
    const Case cases[] = {{1, 1, 0.3, 0}, {2, 2, 0.3, 2}, {2, 1, 0.3, 0}, {8, 8, 0.0, 0}};
    for (const Case& c : cases) {
        Table csk(c.P, c.N), ckd(c.P, c.N), mfk(c.P, c.N);
        csk_kernel(csk.rows.data(), c.P, c.N, 1.0, c.width);
        ckd_kernel(ckd.rows.data(), c.P, c.N, 1.0, c.width, c.width);
        const double th[] = {30}, D[] = {c.width}, E[] = {c.width};
        mfk_kernel(mfk.rows.data(), c.P, c.N, 1.0, th, D, E, 1);
        for (const Table* t : {&csk, &ckd, &mfk}) {
            int filled = 0;
            for (double v : t->block) filled += v != 0.0;
            EXPECT_EQ(filled, c.filled) << "P=" << c.P << " N=" << c.N << " width " << c.width;
            if (c.filled) {
                EXPECT_NEAR(t->at(1, 0), 1.0, 1e-15);
            }
        }
    }
}

TEST(HalvorKernels, DumpHoldsTheQuadrantBeforeMirroring)
{
    // θ = 0 puts D on the Doppler axis: (m, i) = (0, 1) uses D = 0.4, (1, 0) uses E = 0.5.
    { std::ofstream old("check.txt"); old << "an older, longer file that must be replaced\n\n\n"; }
    const double th[] = {0}, D[] = {0.4}, E[] = {0.5};
    Table t(4, 4);
    mfk_kernel(t.rows.data(), 4, 4, 1.0, th, D, E, 1);
    EXPECT_EQ(dump_text(), "1.000000 0.526752 \n0.716531 0.377434 \n");

    // No term at all, or no bin: the file is still (re)written, one line per lag row.
    mfk_kernel(t.rows.data(), 4, 4, 1.0, th, D, E, 0);
    EXPECT_EQ(dump_text(), "1.000000 0.526752 \n0.716531 0.377434 \n");
    Table none(4, 1), single(1, 1);
    mfk_kernel(none.rows.data(), 4, 1, 1.0, th, D, E, 1);
    EXPECT_EQ(dump_text(), "\n\n");
    mfk_kernel(single.rows.data(), 1, 1, 1.0, th, D, E, 1);
    EXPECT_EQ(dump_text(), "");

    // What no term reaches is written as the table holds it, zeros of either sign included.
    Table held(4, 6);
    const double values[2][3] = {{0.0, -0.0, 1e-300}, {5.000001e-7, 2.5, -3.0}};
    for (int m = 0; m < 2; ++m)
        for (int i = 0; i < 3; ++i) held.rows[m][i] = values[m][i];
    const double zero[] = {0};
    mfk_kernel(held.rows.data(), 4, 6, 1.0, th, zero, zero, 1);
    EXPECT_EQ(dump_text(), "0.000000 -0.000000 0.000000 \n0.000001 2.500000 -3.000000 \n");
}

// ---- the distribution ----

TEST(HalvorDistribution, SameBitsAsTheLiteralComputation)
{
    // Every kernel type, odd and even lengths, powers of two (square matrices) and others, some
    // beyond one tile of the transposition; with complete client results and with results that
    // carry no imaginary part at all.
    for (const KernelCase& kc : kernel_cases())
        for (int N : {1, 2, 3, 5, 8, 9, 16, 17, 63, 64})
            for (FftImag mode : {FftImag::keep, FftImag::drop}) {
                SCOPED_TRACE(std::string(kc.type) + " N=" + std::to_string(N) +
                             (mode == FftImag::drop ? " (no imaginary parts)" : ""));
                const std::vector<double> x = test_signal(N);
                Table kernel(pow2_at_least(N), N);
                kc.build(kernel);
                Options opt;
                opt.fft_imag = mode;
                Result r = call("halvor", 1, args_of(column(x), kc.type, kc.params), opt);
                ASSERT_TRUE(r.assigned[0]);
                EXPECT_EQ(r.misuse, "");
                EXPECT_EQ(r.out().m, static_cast<size_t>(kernel.P));
                EXPECT_EQ(r.out().n, static_cast<size_t>(N));
                EXPECT_FALSE(r.out().complex);
                EXPECT_TRUE(same_bits_all(r.out().re, literal_distribution(x, kernel, mode)));
                EXPECT_EQ(r.calls, (std::vector<std::string>{"fft", "ifft", "fft", "ifft", "fft"}));
            }
}

TEST(HalvorDistribution, TwoSamplesByHand)
{
    // x = (a, b): z[0] = a - jb/2 and z[3] = -ja/2, so the lag-0 products are a^2 + b^2/4 and
    // a^2/4. Only kernel column 0 is non-zero (w in rows 0 and 1), and every output entry is
    // w * (|z[0]|^2 + |z[3]|^2) / 2.
    const double a = 1.0, b = 2.0;
    Result r = call("halvor", 1, {row({a, b}), str("ckd"), scalar(1.0), scalar(0.3), scalar(0.3)});
    Table t(2, 2);
    ckd_kernel(t.rows.data(), 2, 2, 1.0, 0.3, 0.3);
    const double want = t.at(0, 0) * (a * a + b * b / 4 + a * a / 4) / 2;
    ASSERT_EQ(r.out().numel(), 4u);
    for (double v : r.out().re) EXPECT_NEAR(v, want, 1e-14);
}

TEST(HalvorDistribution, LagBinsBeyondHalfTheSignalStayEmpty)
{
    // Lags 0 .. ceil(N/2)-1 and their mirrors are formed; a kernel that weights only the other
    // lag bins gives nothing.
    struct Case {
        int N;
        std::vector<int> empty_rows, used_rows;
    };
    const Case cases[] = {{5, {3, 4, 5}, {2, 6}}, {2, {1}, {0}}, {8, {4}, {3, 5}}};
    for (const Case& c : cases) {
        const std::vector<double> x = test_signal(c.N);
        const int P = pow2_at_least(c.N);
        Table empty(P, c.N), used(P, c.N);
        for (int j : c.empty_rows)
            for (int k = 0; k < c.N; ++k) empty.rows[j][k] = 1.0;
        for (int j : c.used_rows)
            for (int k = 0; k < c.N; ++k) used.rows[j][k] = 1.0;
        double largest = 0;
        for (double v : distribution_of(x, empty)) EXPECT_EQ(v, 0.0) << "N=" << c.N;
        for (double v : distribution_of(x, used)) largest = std::max(largest, std::fabs(v));
        EXPECT_GT(largest, 0.01) << "N=" << c.N;
    }
}

TEST(HalvorDistribution, KernelRowsAreLagsAndColumnsAreDoppler)
{
    // A table with no symmetry at all shows any mix-up of its orientation.
    const int N = 6, P = 8;
    const std::vector<double> x = test_signal(N);
    Table kernel(P, N);
    for (int j = 0; j < P; ++j)
        for (int k = 0; k < N; ++k) kernel.rows[j][k] = std::sin(1.0 + j * 0.9 + k * k * 0.37);
    EXPECT_TRUE(same_bits_all(distribution_of(x, kernel), literal_distribution(x, kernel, FftImag::keep)));
}

TEST(HalvorDistribution, ZeroKernelOrZeroSignalGivesZeros)
{
    const struct {
        std::vector<double> x;
        const char* type;
        std::vector<Array> params;
        FftImag mode;
    } cases[] = {
        {test_signal(7), "csk", {scalar(1), scalar(0)}, FftImag::keep},
        {test_signal(7), "ckd", {scalar(1), scalar(0.3), scalar(0)}, FftImag::keep},
        {test_signal(7), "mfk", {scalar(1), empty(0, 0), empty(0, 0), empty(0, 0)}, FftImag::keep},
        {test_signal(1), "csk", {scalar(1), scalar(0.3)}, FftImag::keep},
        // Every client result of a zero signal comes back without an imaginary part.
        {std::vector<double>(8, 0.0), "csk", {scalar(1), scalar(0.3)}, FftImag::narrow},
    };
    for (const auto& c : cases) {
        Options opt;
        opt.fft_imag = c.mode;
        Result r = call("halvor", 1, args_of(column(c.x), c.type, c.params), opt);
        ASSERT_TRUE(r.assigned[0]);
        EXPECT_EQ(r.misuse, "");
        EXPECT_EQ(r.out().numel(), static_cast<size_t>(pow2_at_least(c.x.size())) * c.x.size());
        for (double v : r.out().re) EXPECT_EQ(v, 0.0) << c.type << " N=" << c.x.size();
    }
}

TEST(HalvorDistribution, NarrowedResultsGiveTheSameBits)
{
    // A client that hands back real arrays whenever it can must not change any result.
    const std::vector<double> x = test_signal(12);
    for (const KernelCase& kc : kernel_cases()) {
        Options narrow;
        narrow.fft_imag = FftImag::narrow;
        Result keep = call("halvor", 1, args_of(column(x), kc.type, kc.params));
        Result nar = call("halvor", 1, args_of(column(x), kc.type, kc.params), narrow);
        EXPECT_TRUE(same_bits_all(keep.out().re, nar.out().re)) << kc.type;
    }
}

TEST(HalvorDistribution, ToneShowsAtItsFrequency)
{
    // Row f is f/(2P) cycles per sample: a tone at 0.125 peaks in row 2P * 0.125 = 16.
    const int N = 64;
    std::vector<double> x(N);
    for (int n = 0; n < N; ++n) x[n] = std::cos(2 * M_PI * 0.125 * n);
    Result r = call("halvor", 1, {column(x), str("csk"), scalar(1), scalar(0.4)});
    ASSERT_TRUE(r.assigned[0]);
    for (int n : {16, 32, 48}) {
        int best = 0;
        for (int f = 1; f < N; ++f)
            if (r.out().re[f + n * N] > r.out().re[best + n * N]) best = f;
        EXPECT_EQ(best, 16) << "column " << n;
    }
}

// ---- the entry point ----

namespace {

enum Ends { kOutput, kEmpties, kNothing, kRaises };

struct EntryCase {
    const char* what;
    int nlhs;
    std::vector<Array> args;
    std::string printed;
    Ends ends;
    size_t rows = 0, cols = 0;  // the output's shape, for kOutput
};

std::string err(const std::string& msg)
{
    return error_text(kRoutine, msg);
}

}  // namespace

TEST(HalvorEntry, EveryWayACallEnds)
{
    const Array x = column(test_signal(5));
    const Array c = scalar(1), D = scalar(0.3), E = scalar(0.2);
    const Array th = row({0, 45}), Dv = row({0.3, 0.1}), Ev = row({0.2, 0.2});
    const std::string scalar_notice = "Inputs must be a scalar.";
    const EntryCase cases[] = {
        {"three inputs", 1, {x, str("csk"), c}, err("Not enough input arguments"), kEmpties},
        {"two outputs", 2, {x, str("csk"), c, D}, err("Too many output arguments"), kEmpties},
        {"char signal", 1, {str("abcde"), str("csk"), c, D}, err("Input must be a vector"), kEmpties},
        {"logical signal", 1, {of_class(mxLOGICAL_CLASS, 1, 4, {1, 0, 1, 1}), str("csk"), c, D},
         err("Input must be a vector"), kEmpties},
        {"sparse signal", 1, {sparse(5, 1, {1, 0, 2, 0, 3}), str("csk"), c, D}, err("Input must be a vector"), kEmpties},
        {"cell signal", 1, {cell(1, 3), str("csk"), c, D}, err("Input must be a vector"), kEmpties},
        {"1x0 signal", 1, {empty(1, 0), str("csk"), c, D}, err("Input must be a vector"), kEmpties},
        {"0x0 signal", 1, {empty(0, 0), str("csk"), c, D}, err("Input must be a vector"), kEmpties},
        {"numeric type", 1, {x, scalar(1), c, D}, err("Smoothing window type must be a string"), kEmpties},
        {"two-row type", 1, {x, chars({"csk", "csk"}), c, D}, err("Could not get kernel type"), kEmpties},
        {"mixed-case type", 1, {x, str("Csk"), c, D}, err("Unknown kernel type"), kEmpties},
        {"empty type", 1, {x, str(""), c, D}, err("Unknown kernel type"), kEmpties},
        {"unknown type before the count", 1, {x, str("xyz"), c, D}, err("Unknown kernel type"), kEmpties},
        {"ckd with four inputs", 1, {x, str("ckd"), c, D}, err("Not enough input arguments"), kEmpties},
        {"mfk with five inputs", 1, {x, str("MFK"), c, th, Dv}, err("Not enough input arguments"), kEmpties},
        {"csk decay 1x2", 1, {x, str("csk"), row({1, 2}), D}, scalar_notice, kNothing},
        {"csk width complex", 1, {x, str("CSK"), c, cscalar(0.3, 0)}, scalar_notice, kNothing},
        {"csk width single", 1, {x, str("csk"), c, of_class(mxSINGLE_CLASS, 1, 1, {0.3})}, scalar_notice, kNothing},
        {"csk decay char", 1, {x, str("csk"), str("a"), D}, scalar_notice, kNothing},
        {"ckd width 1x2", 1, {x, str("ckd"), c, row({0.3, 0.3}), E}, "", kRaises},
        {"ckd width int32", 1, {x, str("CKD"), c, D, of_class(mxINT32_CLASS, 1, 1, {1})}, "", kRaises},
        {"mfk lengths 2, 2, 3", 1, {x, str("mfk"), c, th, Dv, row({0.2, 0.2, 0.2})},
         err(" length of all the parameters should be same"), kNothing},
        {"mfk empty decay", 1, {x, str("mfk"), empty(0, 0), th, Dv, Ev}, err(scalar_notice), kEmpties},
        {"mfk char decay", 1, {x, str("mfk"), str("1"), th, Dv, Ev}, err(scalar_notice), kEmpties},
        {"mfk angles 1x0", 1, {x, str("mfk"), c, empty(1, 0), Dv, Ev}, err("Input must be a vector"), kEmpties},
        {"mfk widths logical", 1, {x, str("mfk"), c, th, of_class(mxLOGICAL_CLASS, 1, 2, {1, 1}), Ev},
         err("Input must be a vector"), kEmpties},
        {"mfk angles 2x2", 1, {x, str("mfk"), c, real(2, 2, {0, 45, 90, 10}), Dv, Ev}, kNotice, kOutput, 8, 5},
        {"mfk with no term", 1, {x, str("mfk"), c, empty(0, 0), empty(0, 0), empty(0, 0)}, kNotice + kNotice + kNotice,
         kOutput, 8, 5},
        {"mfk single terms", 1, {x, str("mfk"), c, scalar(10), scalar(0.3), scalar(0.2)}, "", kOutput, 8, 5},
        {"1x1 signal", 1, {scalar(3), str("csk"), c, D}, kNotice, kOutput, 1, 1},
        {"3x4 signal", 1, {real(3, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), str("csk"), c, D}, kNotice, kOutput, 4, 4},
        {"length 8", 1, {row(test_signal(8)), str("csk"), c, D}, "", kOutput, 8, 8},
        {"length 9", 1, {column(test_signal(9)), str("ckd"), c, D, E}, "", kOutput, 16, 9},
        {"no output requested", 0, {x, str("csk"), c, D}, "", kOutput, 8, 5},
    };
    for (const EntryCase& ec : cases) {
        SCOPED_TRACE(ec.what);
        Result r = call("halvor", ec.nlhs, ec.args);
        EXPECT_EQ(r.misuse, "");
        EXPECT_EQ(r.printed, ec.printed);
        EXPECT_EQ(r.raised, ec.ends == kRaises);
        switch (ec.ends) {
        case kOutput:
            ASSERT_TRUE(r.assigned[0]);
            EXPECT_EQ(r.out().m, ec.rows);
            EXPECT_EQ(r.out().n, ec.cols);
            EXPECT_FALSE(r.out().complex);
            break;
        case kEmpties:
            for (size_t i = 0; i < r.assigned.size(); ++i) EXPECT_TRUE(is_empty_output(r, i));
            break;
        case kNothing:
        case kRaises:
            for (bool a : r.assigned) EXPECT_FALSE(a);
            break;
        }
        if (ec.ends == kRaises) {
            EXPECT_EQ(r.error, "Inputs must be a scalar.");
        }
    }
}

TEST(HalvorEntry, OneSampleGivesAZero)
{
    Result r = call("halvor", 1, {scalar(3), str("mfk"), scalar(1), scalar(0), scalar(0.3), scalar(0.3)});
    EXPECT_EQ(r.printed, kNotice);
    ASSERT_TRUE(r.assigned[0]);
    EXPECT_EQ(r.out().re, std::vector<double>{0.0});
    EXPECT_EQ(dump_text(), "");
}

TEST(HalvorEntry, EquivalentArgumentsGiveTheSameBits)
{
    // Other numeric classes are read as their values, an imaginary part is ignored, a matrix
    // signal gives its first values in column order, the decay of mfk is the first value of its
    // input, and inputs beyond the form's need are ignored.
    const std::vector<double> v = {3, -1, 4, 1, -5, 9, 2};
    const Array x = column(v);
    const Array th = row({0, 45}), Dv = row({0.3, 0.1}), Ev = row({0.2, 0.2});
    const struct {
        const char* what;
        std::vector<Array> args, same_as;
    } cases[] = {
        {"int16 signal", {of_class(mxINT16_CLASS, 7, 1, v), str("csk"), scalar(1), scalar(0.3)},
         {x, str("csk"), scalar(1), scalar(0.3)}},
        {"single row signal", {of_class(mxSINGLE_CLASS, 1, 7, v), str("ckd"), scalar(1), scalar(0.3), scalar(0.2)},
         {x, str("ckd"), scalar(1), scalar(0.3), scalar(0.2)}},
        {"complex signal", {cplx(7, 1, v, {1, 2, 3, 4, 5, 6, 7}), str("csk"), scalar(1), scalar(0.3)},
         {x, str("csk"), scalar(1), scalar(0.3)}},
        {"matrix signal", {real(7, 2, {3, -1, 4, 1, -5, 9, 2, 8, 8, 8, 8, 8, 8, 8}), str("csk"), scalar(1), scalar(0.3)},
         {x, str("csk"), scalar(1), scalar(0.3)}},
        {"capitals", {x, str("CKD"), scalar(1), scalar(0.3), scalar(0.2)},
         {x, str("ckd"), scalar(1), scalar(0.3), scalar(0.2)}},
        {"extra inputs", {x, str("csk"), scalar(1), scalar(0.3), cell(1, 1), str("more")},
         {x, str("csk"), scalar(1), scalar(0.3)}},
        {"mfk vectors of other classes",
         {x, str("mfk"), of_class(mxINT8_CLASS, 1, 1, {2}), of_class(mxINT16_CLASS, 1, 2, {0, 45}),
          of_class(mxSINGLE_CLASS, 2, 1, {0.25, 0.125}), cplx(1, 2, {0.5, 0.25}, {1, 1})},
         {x, str("mfk"), scalar(2), th, row({0.25, 0.125}), row({0.5, 0.25})}},
        {"mfk decay as a row", {x, str("mfk"), row({2, 7, 7}), th, Dv, Ev}, {x, str("mfk"), scalar(2), th, Dv, Ev}},
    };
    for (const auto& c : cases) {
        Result a = call("halvor", 1, c.args), b = call("halvor", 1, c.same_as);
        ASSERT_TRUE(a.assigned[0]) << c.what << ": " << a.printed;
        ASSERT_TRUE(b.assigned[0]) << c.what;
        EXPECT_TRUE(same_bits_all(a.out().re, b.out().re)) << c.what;
        EXPECT_EQ(a.out().m, 8u);
    }
}

TEST(HalvorEntry, MfkCallWritesTheDump)
{
    std::remove("check.txt");
    Result r = call("halvor", 1, {column(test_signal(4)), str("mfk"), scalar(1), scalar(0), scalar(0.4), scalar(0.5)});
    ASSERT_TRUE(r.assigned[0]);
    EXPECT_EQ(dump_text(), "1.000000 0.526752 \n0.716531 0.377434 \n");
}

// Every allocation of a call, failed in turn: the call stops with a message and empty outputs.
// First with transforms that report failure by status, then as the client does, by raising.
ALLOC_SWEEP(Halvor, SweepCase{"halvor",
                              1,
                              {of_class(mxINT16_CLASS, 6, 1, {1, -2, 3, 0, 5, 2}), str("mfk"), scalar(1),
                               of_class(mxSINGLE_CLASS, 1, 2, {0, 30}), row({0.3, 0.2}),
                               of_class(mxINT8_CLASS, 1, 2, {1, 1})},
                              [](const Result& r, long) {
                                  EXPECT_FALSE(r.raised);
                                  EXPECT_NE(r.printed, "");
                                  EXPECT_TRUE(is_empty_output(r));
                              },
                              Options{0, false, FftImag::keep}})

ALLOC_SWEEP(HalvorClientRaises, SweepCase{"halvor",
                                          1,
                                          {column({1, 2, 3, 4, 5}), str("csk"), scalar(1), scalar(0.3)},
                                          [](const Result& r, long) {
                                              if (r.raised) {
                                                  EXPECT_EQ(r.error.rfind("Out of memory", 0), 0u);
                                              } else {
                                                  EXPECT_NE(r.printed, "");
                                                  EXPECT_TRUE(is_empty_output(r));
                                              }
                                          }})
