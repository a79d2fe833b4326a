// The modvane distribution computed the way its algorithm is written out step by step: two
// copies of the analytic signal, the windowed columns and their transforms in arrays of their
// own, the short-time spectrum copied into two more, the per-butterfly fft. Slow and memory-
// hungry on purpose: the oracle the module must match bit for bit, and the baseline the
// benchmark measures. Header-only; call it inside mexhost::run (it uses the client's allocator
// and its "fft"). An fft result with no imaginary part is read as zero imaginary part.
#ifndef TOOLBOX_MODVANE_LITERAL_H
#define TOOLBOX_MODVANE_LITERAL_H

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "analyt.h"
#include "fft_literal.h"
#include "fourier.h"
#include "frame.h"
#include "mexhost.h"
#include "windows.h"

namespace modvane_literal {

inline int spec(const double* re, const double* im, int N, double* S_re, double* S_im, int C, int T, int W,
                int wtype, int NFFT)
{
    const size_t n = static_cast<size_t>(NFFT), Q = static_cast<size_t>(C) * n;
    Complex* X = static_cast<Complex*>(mxCalloc(n, sizeof(Complex)));
    double* win = static_cast<double*>(mxCalloc(static_cast<size_t>(W), sizeof(double)));
    double* G_re = static_cast<double*>(mxCalloc(Q, sizeof(double)));
    double* G_im = static_cast<double*>(mxCalloc(Q, sizeof(double)));
    double* H_re = static_cast<double*>(mxCalloc(Q, sizeof(double)));
    double* H_im = static_cast<double*>(mxCalloc(Q, sizeof(double)));
    if (!X || !win || !G_re || !G_im || !H_re || !H_im) return 1;
    const int M = std::min(NFFT, N);
    for (int i = 0; i < M; ++i) X[i] = complex_make(re[i], im ? im[i] : 0.0);
    if (!im) analyt(X, static_cast<unsigned>(NFFT));
    if (wtype == 1)
        for (int i = 0; i < W; ++i) win[i] = 1.0 / W;
    if (wtype == 2) window_hann(win, W);
    if (wtype == 3) window_hamming(win, W);
    if (wtype == 4) window_bartlett(win, W);
    const int h = W / 2;
    for (int c = 0, t = 0; c < C; ++c, t += T) {
        for (int tau = -h; tau <= h; ++tau) {
            const int idx = ((t + tau) % NFFT + NFFT) % NFFT;
            G_re[c * n + idx] = X[idx].re * win[tau + h];
            G_im[c * n + idx] = X[idx].im * win[tau + h];
        }
    }
    mxArray* in = mxCreateDoubleMatrix(n, static_cast<size_t>(C), mxCOMPLEX);
    if (!in) return 1;
    for (size_t i = 0; i < Q; ++i) {
        mxGetPr(in)[i] = G_re[i];
        mxGetPi(in)[i] = G_im[i];
    }
    mxArray* out[1];
    if (mexCallMATLAB(1, out, 1, &in, "fft") != 0) return 1;
    mxDestroyArray(in);
    for (size_t i = 0; i < Q; ++i) {
        H_re[i] = mxGetPr(out[0])[i];
        H_im[i] = mxGetPi(out[0]) ? mxGetPi(out[0])[i] : 0.0;
    }
    mxDestroyArray(out[0]);
    const size_t R = n / 2 + 1;
    for (size_t k = 0; k < R; ++k) {
        for (size_t c = 0; c < static_cast<size_t>(C); ++c) {
            S_re[c * R + k] = H_re[c * n + k];
            S_im[c * R + k] = H_im[c * n + k];
        }
    }
    mxFree(X);
    mxFree(win);
    mxFree(H_re);
    mxFree(H_im);
    mxFree(G_re);
    mxFree(G_im);
    return 0;
}

inline int distribution(const double* re, const double* im, int N, double* out_re, double* out_im, int C, int T,
                        int NFFT, int P, int W, int wtype)
{
    const size_t n = static_cast<size_t>(NFFT), R = n / 2 + 1;
    Complex* X = static_cast<Complex*>(mxCalloc(n, sizeof(Complex)));
    Complex* Y = static_cast<Complex*>(mxCalloc(n, sizeof(Complex)));
    if (!X || !Y) return 1;
    const int M = std::min(NFFT, N);
    for (int i = 0; i < M; ++i) X[i] = complex_make(re[i], im ? im[i] : 0.0);
    if (!im) analyt(X, static_cast<unsigned>(NFFT));
    for (size_t i = 0; i < R * static_cast<size_t>(C); ++i) {
        out_re[i] = 0;
        if (out_im) out_im[i] = 0;
    }
    double *A = nullptr, *B = nullptr;
    if (W < 1) {
        for (size_t i = 0; i < n; ++i) Y[i] = X[i];
        fft_literal(Y, P, 1);
    } else {
        A = static_cast<double*>(mxCalloc(R * static_cast<size_t>(C), sizeof(double)));
        B = static_cast<double*>(mxCalloc(R * static_cast<size_t>(C), sizeof(double)));
        if (!A || !B) return 1;
        spec(re, im, N, A, B, C, T, W, wtype, NFFT);
    }
    for (int c = 0, t = 0; c < C; ++c, t += T) {
        const double two_pi_t = 6.283185307179586 * t;
        for (size_t k = 0; k < R; ++k) {
            const double theta = (static_cast<double>(k) * two_pi_t) / NFFT;
            const Complex E = complex_make(std::cos(theta), -std::sin(theta));
            const Complex S = W < 1 ? Y[k] : complex_make(A[c * R + k], B[c * R + k]);
            const Complex D = complex_mul(complex_mul(X[t], complex_conj(S)), E);
            out_re[c * R + k] = D.re;
            if (out_im) out_im[c * R + k] = D.im;
        }
    }
    if (A) {
        mxFree(A);
        mxFree(B);
    }
    mxFree(X);
    mxFree(Y);
    return 0;
}

// D = modvane(x, T, F, L, W, type) for a double signal x and arguments that pass every check;
// W is the window length the entry ends up with (odd, at most N; 0 for none) and wtype 1 rect,
// 2 hann, 3 hamm, 4 bart. The run's record (peak bytes, calls) goes to *run when given.
inline mexhost::Array call(const mexhost::Array& x, int T, int F, int L, int W, int wtype,
                           const mexhost::Options& opt = {}, mexhost::Result* run = nullptr)
{
    const int N = static_cast<int>(x.numel());
    int NFFT = 1, P = 0;
    while (NFFT < F) {
        NFFT *= 2;
        ++P;
    }
    const int C = static_cast<int>(std::ceil(static_cast<double>(std::min(NFFT, N)) / T));
    mexhost::Array D;
    D.m = static_cast<size_t>(NFFT / 2 + 1);
    D.n = static_cast<size_t>(C);
    D.complex = L == 0;
    mexhost::Result r = mexhost::run(
        [&] {
            mxArray* out = mxCreateDoubleMatrix(D.m, D.n, D.complex ? mxCOMPLEX : mxREAL);
            distribution(x.re.data(), x.complex ? x.im.data() : nullptr, N, mxGetPr(out),
                         D.complex ? mxGetPi(out) : nullptr, C, T, NFFT, P, W, wtype);
            D.re.assign(mxGetPr(out), mxGetPr(out) + D.numel());
            if (D.complex) D.im.assign(mxGetPi(out), mxGetPi(out) + D.numel());
        },
        opt);
    if (run) *run = r;
    return D;
}

}  // namespace modvane_literal

#endif
