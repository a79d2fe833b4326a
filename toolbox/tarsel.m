%TARSEL  Instantaneous frequency from the peaks of a pseudo Wigner-Ville distribution.
%
%   f = tarsel(x, W, T)
%   f = tarsel(x, W, T, F)
%
%   Estimates the instantaneous frequency (IF) of the signal x every T samples. At each instant
%   the lag products x(t+m)*conj(x(t-m)) of the analytic signal, over the lags |m| <= W/2, are
%   transformed over the lag into one slice of a pseudo Wigner-Ville distribution; the frequency
%   of the slice's largest value is the estimate.
%
%   x   signal vector (row or column), real or complex. A real signal is made analytic first;
%       a complex one is taken to be analytic already.
%   W   lag window length in samples. Longer than x, it is truncated (with a warning) to the
%       largest odd length not above the length of x.
%   T   time resolution: the step between estimates, 1 <= T <= length(x).
%   F   FFT length (default W); at least W, rounded up to a power of two NFFT.
%
%   f is a column of ceil(N/T) estimates, N = length(x): f(i) is the IF at sample (i-1)*T
%   (counted from 0), in cycles per sample, on the grid k/(2*NFFT) in [0, 0.5). Near the ends of
%   the signal fewer lags fit, and an instant with lag 0 alone carries no frequency information.
%   W, T and F are truncated toward zero (2.9 gives 2).
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('lin', 0.05, 0.45, 1024, 1);   % real linear chirp
%      f = tarsel(x, 127, 4);
%      plot((0:numel(f)-1) * 4, f)
%
%   See also HOVAT, GINDLE4, FENWID, NUPE, YESKEL.
