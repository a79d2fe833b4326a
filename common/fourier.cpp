// Complex arithmetic, direct transforms and spectrum shifts (the FFT is in fft.cpp).
#include "fourier.h"

#include <cmath>

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
