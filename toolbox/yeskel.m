%YESKEL  Instantaneous frequency at every sample, by a least-mean-squares predictor.
%
%   f = yeskel(s, mu)
%
%   Tracks the frequency of the signal s with a one-coefficient complex linear predictor whose
%   weight is adapted by least mean squares (a stochastic gradient step of size mu); the
%   phase of the weight, folded into half a turn, is the estimate.
%
%   s   signal vector (row or column, at least 2 samples), real or complex. A real signal is
%       made analytic first; a complex signal is taken as analytic already.
%   mu  step size, a scalar >= 0. mu = 0 keeps the weight at the first sample. A step too
%       large for the signal's power makes the weight grow without bound; nothing reports it.
%
%   f   L-by-1 real column, L the length of s: the estimate at each sample in cycles per
%       sample, in [0, 0.5]; f(1) is 0. Frequencies half a sampling rate apart give the same
%       estimate (a tone at -0.1 reads as 0.4).
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('lin', 0.05, 0.45, 512, 0);   % analytic linear chirp
%      f = yeskel(x, 0.2);
%      plot(0:511, f, 0:511, 0.05 + 0.4*(0:511)/512)
%
%   See also NUPE, FENWID, TARSEL, HOVAT.
