// Complex arithmetic, the radix-2 FFT, direct transforms and spectrum shifts.
#include "fourier.h"

#include <cmath>
#include <cstdlib>

// The double nearest 6.28318530717958: slightly below 2*pi, and part of every twiddle's bits.
static const double kTwoPiC = 6.28318530717958;

double complex_abs(Complex a) { return std::sqrt(a.im * a.im + a.re * a.re); }

double complex_arg(Complex a) { return std::atan(a.im / a.re); }

static double flush_tiny(double v)
{
    double m = std::fabs(v);
    return (m > 0.0 && m < 1e-14) ? 0.0 : v;
}

Complex complex_div(Complex a, Complex b)
{
    a.re = flush_tiny(a.re);
    a.im = flush_tiny(a.im);
    b.re = flush_tiny(b.re);
    b.im = flush_tiny(b.im);
    double d = b.im * b.im + b.re * b.re;
    if (d == 0.0) return Complex{0.0, 0.0};
    return Complex{(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}

void complex_swap(Complex* p, Complex* q)
{
    Complex t = *p;
    *p = *q;
    *q = t;
}

void fft(Complex* x, int log2n, double dir)
{
    const long n = static_cast<long>(std::pow(2.0, log2n) + 0.5);
    Complex* work = static_cast<Complex*>(std::malloc(sizeof(Complex) * static_cast<size_t>(n)));
    if (!work) return;
    for (long k = 0; k < n; ++k) {
        long r = 0;
        for (int b = 0; b < log2n; ++b)
            if (k & (1L << b)) r |= 1L << (log2n - 1 - b);
        work[k] = x[r];
    }
    const double dc = dir * kTwoPiC;
    for (int s = 1; s <= log2n; ++s) {
        const long m = 1L << s, h = m / 2;
        for (long g = 0; g < n; g += m) {
            for (long j = 0; j < h; ++j) {
                const double theta = static_cast<double>(static_cast<float>(-(static_cast<double>(j) * dc))) /
                                     static_cast<double>(m);
                const Complex w = complex_make(std::cos(theta), std::sin(theta));
                const Complex t = complex_mul(w, work[g + j + h]);
                const Complex u = work[g + j];
                work[g + j] = complex_add(u, t);
                work[g + j + h] = complex_sub(u, t);
            }
        }
    }
    if (dir == 1.0) {
        for (long k = 0; k < n; ++k) x[k] = work[k];
    } else {
        const double inv = 1.0 / static_cast<double>(n);
        for (long k = 0; k < n; ++k) x[k] = complex_scale(work[k], inv);
    }
    std::free(work);
}

void dft(const Complex* x, Complex* X, int n)
{
    for (int k = 0; k < n; ++k) {
        double re = 0.0, im = 0.0;
        for (int j = 0; j < n; ++j) {
            const double phi = ((j * kTwoPiC) * k) / n;
            const double c = std::cos(phi), s = std::sin(phi);
            re += x[j].re * c + x[j].im * s;
            im += x[j].im * c - x[j].re * s;
        }
        X[k] = Complex{re, im};
    }
}

void idft(const Complex* X, Complex* x, int n)
{
    for (int k = 0; k < n; ++k) {
        double re = 0.0, im = 0.0;
        for (int j = 0; j < n; ++j) {
            const double phi = ((j * kTwoPiC) * k) / n;
            const double c = std::cos(phi), s = std::sin(phi);
            re += X[j].re * c - X[j].im * s;
            im += X[j].im * c + X[j].re * s;
        }
        x[k] = Complex{re / n, im / n};
    }
}

void fftshift(Complex* x, int n)
{
    if (n <= 1) return;
    const int h = n / 2;
    if (n % 2 == 0) {
        for (int i = 0; i < h; ++i) complex_swap(&x[i], &x[i + h]);
        return;
    }
    const Complex t = x[0];
    for (int i = 0; i < h; ++i) {
        x[i] = x[i + h + 1];
        x[i + h + 1] = x[i + 1];
    }
    x[h] = t;
}

void ifftshift(Complex* x, int n)
{
    if (n <= 1) return;
    const int h = n / 2;
    if (n % 2 == 0) {
        for (int i = 0; i < h; ++i) complex_swap(&x[i], &x[i + h]);
        return;
    }
    const Complex t = x[n - 1];
    for (int i = h - 1; i >= 0; --i) {
        x[i + h + 1] = x[i];
        x[i] = x[i + h];
    }
    x[h] = t;
}
