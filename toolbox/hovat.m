%HOVAT  Instantaneous frequency from the peaks of a spectrogram.
%
%   f = hovat(x, W, T)
%   f = hovat(x, W, T, F)
%
%   Estimates the instantaneous frequency (IF) of the signal x every T samples from the peak
%   power of a spectrogram: at each instant n a segment of the analytic signal around n, of
%   2*floor(W/2) samples (n-floor(W/2) to n+floor(W/2)-1), unweighted, is transformed, and the
%   frequency of the bin of largest power is the estimate.
%
%   x   signal vector (row or column), real or complex. A real signal is made analytic first;
%       a complex one is taken to be analytic already.
%   W   window length in samples. Longer than x, it is truncated (with a warning) to the
%       length of x.
%   T   time resolution: the step between estimates, 1 <= T <= length(x).
%   F   FFT length (default W); at least W, rounded up to a power of two NFFT.
%
%   f is a column of ceil(N/T) estimates, N = length(x): f(i) is the IF at sample i*T (counted
%   from 0), in cycles per sample, on the grid k/NFFT. Near the ends the segment shrinks; the
%   last instant lies at or past the end of the signal, so the last estimate is always 0.
%   W, T and F are truncated toward zero (2.9 gives 2).
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('quad', 0.1, 0.4, 1024, 0);    % analytic quadratic-law signal
%      f = hovat(x, 64, 8, 256);
%      plot((1:numel(f)) * 8, f)
%
%   See also TARSEL, GINDLE4, FENWID.
