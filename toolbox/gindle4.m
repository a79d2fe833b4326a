%GINDLE4  Fourth-order Wigner-type time-frequency distribution.
%
%   tfd = gindle4(x, W, T)
%   tfd = gindle4(x, W, T, F)
%
%   Computes, every T samples, a fourth-order distribution of the signal x: the analytic signal
%   is interpolated to twice its rate (y), and the lag products y(t+m)^2 * conj(y(t-m))^2 over
%   the lags |m| <= W/2, counted in samples of y, are transformed over the lag. A signal whose
%   frequency changes linearly is concentrated on its instantaneous frequency.
%
%   x   signal vector (row or column), real or complex. A real signal is made analytic first;
%       a complex one is taken to be analytic already.
%   W   lag window length in samples of y (W = 2m spans m/2 signal samples either side).
%       Longer than x, it is truncated (with a warning) to the length of x.
%   T   time resolution: the step between columns, 1 <= T <= length(x).
%   F   FFT length (default W); at least W, rounded up to a power of two NFFT.
%
%   tfd is a real 2*NFFT-by-ceil(N/T) matrix, N = length(x): column i is the distribution at
%   sample (i-1)*T (counted from 0), row k the frequency (k-1)/(4*NFFT) cycles per sample, so the
%   rows cover [0, 0.5). W, T and F are truncated toward zero (2.9 gives 2).
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('cubic', 0.05, 0.4, 512, 0);
%      tfd = gindle4(x, 127, 4);
%      imagesc((0:size(tfd,2)-1) * 4, (0:size(tfd,1)-1) / (2*size(tfd,1)), tfd); axis xy
%
%   See also TARSEL, HOVAT, FENWID.
