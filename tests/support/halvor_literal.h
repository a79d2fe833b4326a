// The compact-kernel distribution computed the way its steps are written out: a lag row copied
// into each time step, the time-lag, weighted and transposed forms in arrays of their own, a new
// client matrix for every transform and nothing released. Memory-hungry on purpose: the oracle
// the module must match bit for bit, and the baseline the benchmark measures. Header-only; call
// it inside mexhost::run (it uses the client's allocator and its "fft"/"ifft"). A result with no
// imaginary part is read as zero imaginary part.
#ifndef TOOLBOX_HALVOR_LITERAL_H
#define TOOLBOX_HALVOR_LITERAL_H

#include <cstddef>

#include "fourier.h"
#include "mexhost.h"

namespace halvor_literal {

inline mxArray* complex_matrix(size_t rows, size_t cols, const double* re, const double* im)
{
    mxArray* a = mxCreateDoubleMatrix(rows, cols, mxCOMPLEX);
    for (size_t i = 0; i < rows * cols; ++i) {
        mxGetPr(a)[i] = re[i];
        mxGetPi(a)[i] = im[i];
    }
    return a;
}

inline mxArray* transform(const char* name, mxArray* arg)
{
    mxArray* in[1] = {arg};
    mxArray* out[1] = {nullptr};
    mexCallMATLAB(1, out, 1, in, name);
    return out[0];
}

inline double imag_at(const mxArray* a, size_t i)
{
    return mxGetPi(a) ? mxGetPi(a)[i] : 0.0;
}

inline void matlab_analytic_signal(const double* x, double* zr, double* zi, int N)
{
    const size_t n2 = 2 * static_cast<size_t>(N);
    double* re = static_cast<double*>(mxCalloc(n2, sizeof(double)));
    double* im = static_cast<double*>(mxCalloc(n2, sizeof(double)));
    for (int n = 0; n < N; ++n) re[n] = x[n];
    mxArray* Y = transform("fft", complex_matrix(1, n2, re, im));
    double* wr = static_cast<double*>(mxCalloc(n2, sizeof(double)));
    double* wi = static_cast<double*>(mxCalloc(n2, sizeof(double)));
    for (size_t k = 0; k < n2; ++k) {
        const bool keep = k == 0 || k == static_cast<size_t>(N);
        const bool twice = k >= 1 && k < static_cast<size_t>(N);
        wr[k] = keep ? mxGetPr(Y)[k] : twice ? mxGetPr(Y)[k] * 2.0 : 0.0;
        wi[k] = keep ? imag_at(Y, k) : twice ? imag_at(Y, k) * 2.0 : 0.0;
    }
    mxArray* z = transform("ifft", complex_matrix(1, n2, wr, wi));
    for (size_t k = 0; k < n2; ++k) {
        zr[k] = mxGetPr(z)[k];
        zi[k] = imag_at(z, k);
    }
}

inline void kernel_distribution(const double* x, int N, int P, const double* const* kernel, double* out)
{
    const size_t NP = static_cast<size_t>(N) * P;
    Complex* lag = static_cast<Complex*>(mxCalloc(P, sizeof(Complex)));
    double* zr = static_cast<double*>(mxCalloc(2 * static_cast<size_t>(N), sizeof(double)));
    double* zi = static_cast<double*>(mxCalloc(2 * static_cast<size_t>(N), sizeof(double)));
    matlab_analytic_signal(x, zr, zi, N);

    // Time-lag form, one time step at a time through the lag row.
    double* tl_re = static_cast<double*>(mxCalloc(NP, sizeof(double)));
    double* tl_im = static_cast<double*>(mxCalloc(NP, sizeof(double)));
    const int L = (N + 1) / 2 - 1;
    for (int n = 0; n < N; ++n) {
        for (int m = 0; m <= L; ++m) {
            const int a = ((n + m - 1) % (2 * N) + 2 * N) % (2 * N);
            const int b = ((n - m - 1) % (2 * N) + 2 * N) % (2 * N);
            const Complex R = {zr[a] * zr[b] + zi[a] * zi[b], zi[a] * zr[b] - zr[a] * zi[b]};
            lag[m] = R;
            if (m >= 1) lag[P - m] = complex_conj(R);
        }
        for (int j = 0; j < P; ++j) {
            tl_re[n + static_cast<size_t>(j) * N] = lag[j].re;
            tl_im[n + static_cast<size_t>(j) * N] = lag[j].im;
        }
    }

    // Ambiguity form, weighted by the kernel into arrays of its own.
    mxArray* F = transform("fft", complex_matrix(N, P, tl_re, tl_im));
    double* g_re = static_cast<double*>(mxCalloc(NP, sizeof(double)));
    double* g_im = static_cast<double*>(mxCalloc(NP, sizeof(double)));
    for (int k = 0; k < N; ++k)
        for (int j = 0; j < P; ++j) {
            const size_t e = k + static_cast<size_t>(j) * N;
            g_re[e] = mxGetPr(F)[e] * kernel[j][k];
            g_im[e] = imag_at(F, e) * kernel[j][k];
        }
    mxArray* H = transform("ifft", complex_matrix(N, P, g_re, g_im));

    // Lag by time, then to frequency; the real part is the distribution.
    double* t_re = static_cast<double*>(mxCalloc(NP, sizeof(double)));
    double* t_im = static_cast<double*>(mxCalloc(NP, sizeof(double)));
    for (int n = 0; n < N; ++n)
        for (int j = 0; j < P; ++j) {
            t_re[j + static_cast<size_t>(n) * P] = mxGetPr(H)[n + static_cast<size_t>(j) * N];
            t_im[j + static_cast<size_t>(n) * P] = imag_at(H, n + static_cast<size_t>(j) * N);
        }
    mxArray* W = transform("fft", complex_matrix(P, N, t_re, t_im));
    for (size_t i = 0; i < NP; ++i) out[i] = mxGetPr(W)[i];
}

}  // namespace halvor_literal

#endif
