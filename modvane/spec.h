// Short-time spectra of a signal around each column's time, through the client's fft.
#ifndef MODVANE_SPEC_H
#define MODVANE_SPEC_H

#include "fourier.h"
#include "mex.h"

// The client's NFFT-by-C transform of the windowed columns: S(k, c) is at c*NFFT + k of the
// two blocks. im is null when the client handed back no imaginary part (all of it zero).
struct ShortTimeSpectrum {
    mxArray* matrix;  // the caller destroys it once S has been read
    const double* re;
    const double* im;
};

// Column c holds the lags t-h .. t+h (t = c*T, W = 2h+1) of the NFFT-point signal x, weighted
// by the window of type wtype (1 rect, 2 hann, 3 hamm, 4 bart) and placed at (t + lag) mod NFFT.
// Returns 0, or 1 after a failure it has reported under "spec" (then s->matrix is null).
int spec(const Complex* x, int NFFT, int C, int T, int W, int wtype, ShortTimeSpectrum* s);

#endif
