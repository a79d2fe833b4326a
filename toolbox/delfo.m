%DELFO  Ambiguity function of a signal: lag rows by Doppler columns.
%
%   A = delfo(x, R, W)
%
%   For the lags m = 0, R, 2R, ... below (W-1)/2 (integer division), transforms over time the
%   lag products x(i+m)*conj(x(i-m)) and their conjugates.
%
%   x   signal vector (row or column, at least 2 samples), real or complex. A real signal is
%       made analytic first; a complex signal is used as it is, even when its imaginary parts
%       are all zero.
%   R   lag resolution, a scalar truncated toward zero; at least 1.
%   W   number of lag rows, a scalar truncated toward zero; at least 1.
%
%   A   W-by-P complex matrix, P the smallest power of two not below the length N of x (the
%       lag products are zero-padded to P samples). With B = floor((W+1)/2), row B+m+1 holds
%       lag m and row B-m+1 lag -m (the conjugate products); column c holds Doppler bin
%       c-1-P/2, so Doppler 0 is column P/2+1. Rows 1 and 2 (and row W for even W) are never
%       reached and stay zero, as do the rows of lags between multiples of R.
%
%   Errors are printed in the command window (under the name Amb) and leave an empty result.
%
%   Example:
%      x = fenwid('lin', 0.1, 0.3, 256, 0);
%      A = delfo(x, 1, 63);
%      imagesc(abs(A)); xlabel('Doppler bin'); ylabel('lag row')
%
%   See also FENWID, MODVANE, HALVOR.
