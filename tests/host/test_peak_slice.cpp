// The slice machinery of the peak modules against its plain statement: the lag layout of two
// instants in one buffer, and the peak rule.
#include <cmath>
#include <limits>
#include <random>

#include "peak/slice.h"
#include "peak_literal.h"
#include "sweep.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Samples that make signed zeros, infinities and NaN show up in the products.
std::vector<Complex> awkward_signal(long len, unsigned seed)
{
    const double pool[] = {0.0, -0.0, 1.0, -1.0, 0.5, -2.0, 1e-300, kInf, 3.25};
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> pick(0, 8);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<Complex> z(static_cast<size_t>(len));
    for (Complex& c : z) {
        const int a = pick(gen), b = pick(gen);
        c = Complex{a == 8 ? u(gen) : pool[a], b == 8 ? u(gen) : pool[b]};
    }
    return z;
}

// Same bits; any two NaNs count as equal, since which operand's NaN an operation passes on (and
// so its sign) is the compiler's choice.
bool same_value(double a, double b)
{
    return same_bits(a, b) || (a != a && b != b);
}

template <class Product>
void check_layouts(bool fourth, Product product)
{
    long cases = 0;
    for (long q : {1L, 2L, 4L, 8L, 16L}) {
        for (long reach = 0; 2 * reach <= q; ++reach) {
            for (long len = 1; len <= 12; ++len) {
                const std::vector<Complex> z = awkward_signal(len, static_cast<unsigned>(q * 131 + reach * 17 + len));
                for (long ta = 0; ta < len; ++ta) {
                    for (long tb = -1; tb < len; ++tb) {
                        if (tb >= 0 && tb <= ta) continue;
                        literal::Signal want(static_cast<size_t>(q), Complex{0.0, 0.0});
                        literal::lags(want, z, ta, reach, fourth, false);
                        if (tb >= 0) literal::lags(want, z, tb, reach, fourth, true);
                        literal::Signal got(static_cast<size_t>(q), Complex{7.0, 7.0});
                        pair_lags(got.data(), q, z.data(), len, reach, ta, tb, product);
                        for (long k = 0; k < q; ++k) {
                            ASSERT_TRUE(same_value(got[k].re, want[k].re) && same_value(got[k].im, want[k].im))
                                << "q " << q << " reach " << reach << " len " << len << " ta " << ta << " tb " << tb
                                << " slot " << k << ": (" << got[k].re << ", " << got[k].im << ") vs (" << want[k].re
                                << ", " << want[k].im << ")";
                        }
                        ++cases;
                    }
                }
            }
        }
    }
    EXPECT_GT(cases, 1000);
}

}  // namespace

// Every slot, bit for bit (signed zeros included; NaNs as NaNs), as if the products of the first instant were
// stored into a cleared buffer and those of the second added: near both ends, with the second
// instant absent, and with lags reach and -reach sharing slot q/2.
TEST(PeakSlice, PairLagsLayout)
{
    check_layouts(false, SecondOrder());
    check_layouts(true, FourthOrder());
}

// The first index of the largest value, NaN never winning: against the one-by-one scan, on
// sequences whose ties fall in different lanes of the interleaved scans (one part, or both parts
// of a buffer at once).
TEST(PeakSlice, PeakIndexRule)
{
    std::vector<std::vector<double>> cases = {
        {7}, {1, 2}, {2, 2}, {0, 9, 9, 9, 9, 9, 9, 9, 9}, {1, 5, 3, 5, 2, 5, 4, 5, 5}, {1, 2, 3, 4, 9, 1, 1, 9},
        {kNaN, 1, 2}, {1, kNaN, 0.5, kNaN, 1}, {-0.0, 0.0, -0.0}, {-1, -0.0, 0.0}, {-kInf, -kInf},
        {-1, -kInf, kNaN, -1, -0.5, -0.5}, {kInf, kNaN, kInf}, {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN},
    };
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> small(0, 3);
    for (int len = 1; len <= 40; ++len) {
        for (int rep = 0; rep < 20; ++rep) {
            std::vector<double> v(static_cast<size_t>(len));
            for (double& x : v) x = small(gen) == 0 && rep % 4 == 0 ? kNaN : small(gen);
            cases.push_back(v);
        }
    }
    for (const std::vector<double>& v : cases) {
        const long got = peak_index(static_cast<long>(v.size()), [&v](long k) { return v[k]; });
        EXPECT_EQ(got, literal::peak(v)) << "length " << v.size();
        // Both parts of one buffer in one pass (wide on processors that have it): the real parts
        // carry the case, the imaginary parts the case reversed.
        const std::vector<double> rev(v.rbegin(), v.rend());
        std::vector<Complex> buf(v.size());
        for (size_t k = 0; k < v.size(); ++k) buf[k] = Complex{v[k], rev[k]};
        long re_peak = -1, im_peak = -1;
        peak_pair(buf.data(), static_cast<long>(buf.size()), &re_peak, &im_peak);
        EXPECT_EQ(re_peak, literal::peak(v)) << "length " << v.size();
        EXPECT_EQ(im_peak, literal::peak(rev)) << "length " << v.size();
    }
}
