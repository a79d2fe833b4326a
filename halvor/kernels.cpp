// Compact kernels. The bins are walked lag m = 0 .. P/2-1 (outer), Doppler i = 0 .. N/2-1
// (inner), at u = m/P and v = i/N; a pair on a support boundary gets no value. Expressions are
// written as the kernels are defined: their grouping decides the last bits of the table.
#include "kernels.h"

#include <cmath>
#include <cstdio>

namespace {

double square(double v)
{
    return std::pow(v, 2.0);
}

// A value computed for (m, i) lands in four places. The lag mirror is row P-1-m and the Doppler
// mirror column N-i, so column N/2 (N even) or the two middle columns (N odd) are never written.
inline void place(double** table, int P, int N, int m, int i, double w)
{
    table[m][i] = w;
    table[P - 1 - m][i] = w;
    if (i >= 1) {
        table[m][N - i] = w;
        table[P - 1 - m][N - i] = w;
    }
}

}  // namespace

void csk_kernel(double** table, int P, int N, double c, double D)
{
    // Only D^2 enters, so a negative D gives the kernel of |D|.
    const double d = square(D);
    const double gain = std::exp(2 * c);
    for (int m = 0; m < P / 2; ++m) {
        const double u2 = square(static_cast<double>(m) / P);
        for (int i = 0; i < N / 2; ++i) {
            const double v2 = square(static_cast<double>(i) / N);
            if (d > u2 && d > v2)
                place(table, P, N, m, i, gain * std::exp(c * d * (1 / (u2 - d) + 1 / (v2 - d))));
        }
    }
}

void ckd_kernel(double** table, int P, int N, double c, double D, double E)
{
    const double d = square(D), e = square(E);
    const double gain = std::exp(2 * c);
    for (int m = 0; m < P / 2; ++m) {
        const double u2 = square(static_cast<double>(m) / P);
        for (int i = 0; i < N / 2; ++i) {
            const double v2 = square(static_cast<double>(i) / N);
            if (u2 / d + v2 / e < 1)
                place(table, P, N, m, i, gain * std::exp(c * d / (u2 - d) + c * e / (v2 - e)));
        }
    }
}

void mfk_kernel(double** table, int P, int N, double c, const double* theta, const double* D,
                const double* E, size_t K)
{
    // Opened before anything is computed: even a call with no term leaves the (empty) dump.
    FILE* dump = std::fopen("check.txt", "w");
    const double gain = std::exp(2 * c);
    for (size_t t = 0; t < K; ++t) {
        // Degrees to radians with the constant 3.14159, which users' tables are made with.
        const double phi = theta[t] * 3.14159 / 180;
        const double cphi = std::cos(phi), sphi = std::sin(phi);
        const double d = square(D[t]), e = square(E[t]);
        for (int m = 0; m < P / 2; ++m) {
            const double u = static_cast<double>(m) / P;
            for (int i = 0; i < N / 2; ++i) {
                const double v = static_cast<double>(i) / N;
                const double A2 = square(u * cphi - v * sphi);
                const double B2 = square(v * cphi + u * sphi);
                if (B2 / d + A2 / e < 1)
                    place(table, P, N, m, i, gain * std::exp(c * d / (B2 - d) + c * e / (A2 - e)));
            }
        }
    }
    if (!dump) return;
    for (int m = 0; m < P / 2; ++m) {
        for (int i = 0; i < N / 2; ++i) {
            // Most of the quadrant lies outside the support: its zeros skip the number formatting.
            const double w = table[m][i];
            if (w == 0.0 && !std::signbit(w))
                std::fputs("0.000000 ", dump);
            else
                std::fprintf(dump, "%5lf ", w);
        }
        std::fputs("\n", dump);
    }
    std::fclose(dump);
}
