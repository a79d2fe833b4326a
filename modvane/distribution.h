// The modvane distribution z(t) * conj(Z(k)) * exp(-j*2*pi*k*t/NFFT), plain or smoothed.
#ifndef MODVANE_DISTRIBUTION_H
#define MODVANE_DISTRIBUTION_H

// Fills the (NFFT/2 + 1)-by-C output (zero-filled by the caller; element k, c at c*R + k) for
// the times t = c*T. out_im is null for the Levin distribution (the real part alone). W = 0
// means no smoothing; otherwise W is odd and wtype is 1 rect, 2 hann, 3 hamm or 4 bart.
// Returns 0, or 1 when working memory could not be had (reported, output left as it was).
int modvane_distribution(const double* re, const double* im, int N, double* out_re, double* out_im,
                         int C, int T, int NFFT, int P, int W, int wtype);

#endif
