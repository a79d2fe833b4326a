// Complex values, the radix-2 FFT, direct transforms and spectrum shifts.
#ifndef TOOLBOX_FOURIER_H
#define TOOLBOX_FOURIER_H

// The angle constant of fft, dft and idft: the double nearest 6.28318530717958, a little below
// 2*pi. It is part of every twiddle's bits.
constexpr double kTwoPiC = 6.28318530717958;

struct Complex {
    double re;
    double im;
};

// Operand order inside each expression is fixed: it decides the last bits of every result.
inline Complex complex_make(double re, double im) { return Complex{re, im}; }
inline Complex complex_add(Complex a, Complex b) { return Complex{b.re + a.re, b.im + a.im}; }
inline Complex complex_sub(Complex a, Complex b) { return Complex{a.re - b.re, a.im - b.im}; }
inline Complex complex_mul(Complex a, Complex b)
{
    return Complex{a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}
inline Complex complex_conj(Complex a) { return Complex{a.re, -a.im}; }
inline Complex complex_scale(Complex a, double s) { return Complex{a.re * s, s * a.im}; }
double complex_abs(Complex a);
double complex_arg(Complex a);
Complex complex_div(Complex a, Complex b);
void complex_swap(Complex* p, Complex* q);

// In-place transform of x[0 .. 2^log2n - 1]; dir 1 forward (unscaled), any other dir inverse-
// style with the 1/N scaling. Silently leaves x untouched when its work memory cannot be had.
// Safe to call from several threads at once.
void fft(Complex* x, int log2n, double dir);

void dft(const Complex* x, Complex* X, int n);
void idft(const Complex* X, Complex* x, int n);
void fftshift(Complex* x, int n);
void ifftshift(Complex* x, int n);

#endif
