// Frequency laws. Every phase is formed with its operations grouped exactly as written here:
// the grouping decides the last bits of the samples, which users compare across versions.
#include "laws.h"

#include <cmath>

static const double kTwoPi = 6.283185307179586;

static inline void put(double* re, double* im, int n, double phi)
{
    re[n] = std::cos(phi);
    if (im) im[n] = std::sin(phi);
}

void lin_law(double* re, double* im, double a, double b, int N)
{
    const double d = (b - a) * 0.5;
    const double dn = N;
    for (int i = 0; i < N; ++i) {
        const double n = i;
        put(re, im, i, (((d * n) * n) / dn + a * n) * kTwoPi);
    }
}

void sin_law(double* re, double* im, double a, double b, int N, double c)
{
    const double w = b * kTwoPi;
    const double hc = c * 0.5;
    for (int i = 0; i < N; ++i) {
        const double n = i;
        put(re, im, i, (hc * std::sin(n * w) + n * a) * kTwoPi);
    }
}

void quad_law(double* re, double* im, double a, double b, int N)
{
    const double dn = N;
    const double D = b - a;
    const double D2 = D + D;
    const double D4 = D * 4;
    const double Q = (3 * dn) * dn;
    for (int i = 0; i < N; ++i) {
        const double n = i;
        put(re, im, i, ((((D2 * n) * n) / dn + a * n) - ((((D4 * n) * n) * n) / Q)) * kTwoPi);
    }
}

void hyp_law(double* re, double* im, double a, double b, int N)
{
    const double dn = N;
    const double k = ((a - b) + (a - b)) / ((a + b) * dn);
    const double A = (a * (1 - (dn * k) * 0.5)) / k;
    const double H = dn * 0.5;
    for (int i = 0; i < N; ++i) {
        const double n = i;
        put(re, im, i, (A * std::log(std::fabs(k * (n - H) + 1))) * kTwoPi);
    }
}

void cubic_law(double* re, double* im, double a, double b, int N)
{
    // Stored values of 1/3 and of the powers of it the law is built from.
    const double t = 0.33333333333;
    const double c1 = 0.07407407407185185;
    const double c2 = 0.22222222221777777;
    const double c3 = 0.1481481481437037;
    const double c4 = 0.33333333332666665;
    const double q = 0.44444444444888886;
    const double m = -4.50000000009;
    const double dn = N;
    const double g = ((((((a * c2 + (b * 2) * t) - c2 * b) - (2 * a) * t) + a) - b) * m) / dn / dn / dn / q;
    const double h = ((((((a * c3 + (b * c4 + a)) - c3 * b) - b) - a * c4) * 0.5) / t / t / dn / dn) / q;
    const double l =
        (((((((a * c1 - c1 * b) - (a * 3) * t) + (b * 3) * t) + 2 * a) - b * 2) * (-0.5)) / t / dn) / q;
    for (int i = 0; i < N; ++i) {
        const double n = i;
        const double phi =
            ((((((n * h) * n) * n) / 3 + ((((g * n) * n) * n) * n) * 0.25) + ((l * n) * n) * 0.5) + a * n) *
            kTwoPi;
        put(re, im, i, phi);
    }
}

void step_law(double* re, double* im, double a, double b, int N, int K)
{
    const double delta = (b - a) / (K - 1);
    const double L = static_cast<double>(N) / K;
    const double E = K * L;  // may differ from N by a rounding either way
    double hist[3] = {0, 0, 0};
    double S = 0, mean = 0;
    int i = 0;
    for (; i < E && i < N; ++i) {
        const double n = i;
        const double f = static_cast<int>(n / L) * delta + a;
        if (i < 3) {
            mean = f;
            S = S + f;
            hist[i] = f;
        } else {
            const int r = i % 3;
            S = S + (f - hist[r]);
            mean = S / 3;
            hist[r] = f;
        }
        put(re, im, i, n * (mean * kTwoPi));
    }
    // Where E fell short of N, the last smoothed frequency carries on to the end.
    const double omega = mean * kTwoPi;
    for (; i < N; ++i) put(re, im, i, i * omega);
}
