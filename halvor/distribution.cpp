// The compact-kernel distribution: lag products of the analytic signal, their Doppler transform,
// the kernel weighting, and the transforms back to time and on to frequency. The client's
// matrices are filled directly, worked on in place where the next step allows it, and each is
// released as soon as it has been read, so that no more than two N-by-P complex matrices are
// alive at once.
#include "distribution.h"

#include <cstddef>
#include <cstring>

#include "frame.h"

namespace {

const char* const kName = "Compacttfd";

mxArray* new_matrix(size_t rows, size_t cols)
{
    mxArray* a = mxCreateDoubleMatrix(rows, cols, mxCOMPLEX);
    if (!a) mexPrintf("\nMemory allocation\tfailed\n");
    return a;
}

// The client's transform `name` of arg, which is released at once. The result must be a dense
// double array of arg's size (its imaginary part may be missing: it then reads as zero).
mxArray* transform(const char* name, mxArray* arg)
{
    const size_t rows = mxGetM(arg), cols = mxGetN(arg);
    mxArray* in[1] = {arg};
    mxArray* out[1] = {nullptr};
    const int status = mexCallMATLAB(1, out, 1, in, name);
    mxDestroyArray(arg);
    if (status == 0 && out[0] && mxIsDouble(out[0]) && !mxIsSparse(out[0]) && mxGetM(out[0]) == rows &&
        mxGetN(out[0]) == cols)
        return out[0];
    if (status == 0 && out[0]) mxDestroyArray(out[0]);
    mex_error(kName, "Unable to call FFT MATLAB function");
    return nullptr;
}

// One-sided spectrum of a 2N-point transform: bins 0 and N kept, 1 .. N-1 doubled, the rest 0.
void one_sided(double* y, size_t N)
{
    for (size_t k = 1; k < N; ++k) y[k] = y[k] * 2.0;
    for (size_t k = N + 1; k < 2 * N; ++k) y[k] = 0.0;
}

// Lag products z[n+m-1] * conj(z[n-m-1]) (indices mod 2N) for lags m = 0 .. ceil(N/2)-1 into
// column m of the N-by-P time-lag matrix, their conjugates into column P-m. The other columns
// stay zero.
void lag_products(const double* zr, const double* zi, int N, int P, double* tr, double* ti)
{
    const long n2 = 2L * N;
    const int L = (N + 1) / 2 - 1;
    for (int m = 0; m <= L; ++m) {
        double* cr = tr + static_cast<size_t>(m) * N;
        double* ci = ti + static_cast<size_t>(m) * N;
        double* mr = tr + static_cast<size_t>(P - m) * N;
        double* mi = ti + static_cast<size_t>(P - m) * N;
        for (int n = 0; n < N; ++n) {
            long ia = static_cast<long>(n) + m - 1, ib = static_cast<long>(n) - m - 1;
            if (ia < 0) ia += n2;
            if (ib < 0) ib += n2;
            const double re = zr[ia] * zr[ib] + zi[ia] * zi[ib];
            const double im = zi[ia] * zr[ib] - zr[ia] * zi[ib];
            cr[n] = re;
            ci[n] = im;
            if (m >= 1) {
                mr[n] = re;
                mi[n] = -im;
            }
        }
    }
}

// G(k, j) = F(k, j) * kernel[j][k] over the N-by-P matrix, in place.
void weight(double* f, int N, int P, const double* const* kernel)
{
    for (int j = 0; j < P; ++j) {
        double* col = f + static_cast<size_t>(j) * N;
        const double* row = kernel[j];
        for (int k = 0; k < N; ++k) col[k] = col[k] * row[k];
    }
}

// t (P-by-N) = transpose of h (N-by-P), in tiles that stay in cache.
void transpose(const double* h, int N, int P, double* t)
{
    const int tile = 32;
    for (int j0 = 0; j0 < P; j0 += tile)
        for (int n0 = 0; n0 < N; n0 += tile) {
            const int j1 = j0 + tile < P ? j0 + tile : P, n1 = n0 + tile < N ? n0 + tile : N;
            for (int n = n0; n < n1; ++n)
                for (int j = j0; j < j1; ++j)
                    t[j + static_cast<size_t>(n) * P] = h[n + static_cast<size_t>(j) * N];
        }
}

// The same for a square n-by-n matrix, where it lies.
void transpose_square(double* a, int n)
{
    const int tile = 32;
    for (int j0 = 0; j0 < n; j0 += tile)
        for (int k0 = j0; k0 < n; k0 += tile) {
            const int j1 = j0 + tile < n ? j0 + tile : n, k1 = k0 + tile < n ? k0 + tile : n;
            for (int j = j0; j < j1; ++j)
                for (int k = k0 > j + 1 ? k0 : j + 1; k < k1; ++k) {
                    const double t = a[k + static_cast<size_t>(j) * n];
                    a[k + static_cast<size_t>(j) * n] = a[j + static_cast<size_t>(k) * n];
                    a[j + static_cast<size_t>(k) * n] = t;
                }
        }
}

}  // namespace

int matlab_analytic_signal(const double* x, double* zr, double* zi, int N)
{
    const size_t n = static_cast<size_t>(N), n2 = 2 * n;
    mxArray* padded = new_matrix(1, n2);
    if (!padded) return 1;
    std::memcpy(mxGetPr(padded), x, n * sizeof(double));
    mxArray* spectrum = transform("fft", padded);
    if (!spectrum) return 1;
    one_sided(mxGetPr(spectrum), n);
    if (mxGetPi(spectrum)) one_sided(mxGetPi(spectrum), n);
    mxArray* z = transform("ifft", spectrum);
    if (!z) return 1;
    std::memcpy(zr, mxGetPr(z), n2 * sizeof(double));
    if (mxGetPi(z))
        std::memcpy(zi, mxGetPi(z), n2 * sizeof(double));
    else
        std::memset(zi, 0, n2 * sizeof(double));
    mxDestroyArray(z);
    return 0;
}

int kernel_distribution(const double* x, int N, int P, const double* const* kernel, double* out)
{
    const size_t n = static_cast<size_t>(N), p = static_cast<size_t>(P);
    double* zr = static_cast<double*>(mxCalloc(2 * n, sizeof(double)));
    double* zi = zr ? static_cast<double*>(mxCalloc(2 * n, sizeof(double))) : nullptr;
    if (!zi) {
        mexPrintf("\nMemory allocation\tfailed\n");
        return 1;
    }
    if (matlab_analytic_signal(x, zr, zi, N)) return 1;

    mxArray* time_lag = new_matrix(n, p);
    if (!time_lag) return 1;
    lag_products(zr, zi, N, P, mxGetPr(time_lag), mxGetPi(time_lag));
    mxFree(zr);
    mxFree(zi);

    // Doppler by lag: weighted in place, then back to time by lag.
    mxArray* ambiguity = transform("fft", time_lag);
    if (!ambiguity) return 1;
    weight(mxGetPr(ambiguity), N, P, kernel);
    if (mxGetPi(ambiguity)) weight(mxGetPi(ambiguity), N, P, kernel);
    mxArray* smoothed = transform("ifft", ambiguity);
    if (!smoothed) return 1;

    // Lag by time. At a power-of-two length the matrix is square and is transposed where it
    // lies; otherwise into a new P-by-N matrix.
    mxArray* lag_time = smoothed;
    if (N == P) {
        transpose_square(mxGetPr(smoothed), N);
        if (mxGetPi(smoothed)) transpose_square(mxGetPi(smoothed), N);
    } else {
        lag_time = new_matrix(p, n);
        if (!lag_time) return 1;
        transpose(mxGetPr(smoothed), N, P, mxGetPr(lag_time));
        if (mxGetPi(smoothed)) transpose(mxGetPi(smoothed), N, P, mxGetPi(lag_time));
        mxDestroyArray(smoothed);
    }

    mxArray* tfd = transform("fft", lag_time);
    if (!tfd) return 1;
    std::memcpy(out, mxGetPr(tfd), n * p * sizeof(double));
    mxDestroyArray(tfd);
    return 0;
}
