%NUPE  Instantaneous frequency at every sample, by a recursive-least-squares predictor.
%
%   f = nupe(s, alpha)
%
%   Tracks the frequency of the signal s with a one-coefficient complex linear predictor whose
%   weight is adapted by recursive least squares; the phase of the weight, folded into half a
%   turn, is the estimate.
%
%   s      signal vector (row or column, at least 2 samples), real or complex. A real signal is
%          made analytic first; a complex signal is taken as analytic already.
%   alpha  forgetting factor, a scalar >= 0 (weights the past by alpha per sample; values
%          near 1 give long memory, 0 gives the phase advance from sample to sample). It is
%          held in single precision.
%
%   f      L-by-1 real column, L the length of s: the estimate at each sample in cycles per
%          sample, in [0, 0.5]; f(1) is 0. Frequencies half a sampling rate apart give the
%          same estimate (a tone at -0.1 reads as 0.4).
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('lin', 0.05, 0.45, 512, 0);   % analytic linear chirp
%      f = nupe(x, 0.9);
%      plot(0:511, f, 0:511, 0.05 + 0.4*(0:511)/512)
%
%   See also YESKEL, FENWID, TARSEL, HOVAT.
