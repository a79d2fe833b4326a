%HALVOR  Compact-kernel time-frequency distribution of a real signal.
%
%   tfd = halvor(x, 'csk', c, D)
%   tfd = halvor(x, 'ckd', c, D, E)
%   tfd = halvor(x, 'mfk', c, theta, D, E)
%
%   Weights the ambiguity function of the analytic signal of x (N samples) with a smooth
%   kernel that is exactly zero outside a bounded region, and returns the result as a real
%   P-by-N matrix, P the smallest power of two not below N. Row f is frequency f/(2P) cycles
%   per sample (rows 0 .. P-1 cover 0 to 0.5); column n is time, centred on sample n-1. The
%   kernel type may also be given in capitals ('CSK', 'CKD', 'MFK').
%
%   The kernel over normalised lag u and Doppler v (both in [0, 1/2)):
%   'csk'  square support |u| < D, |v| < D:
%          exp(2c) * exp(c*D^2 * (1/(u^2 - D^2) + 1/(v^2 - D^2)))
%   'ckd'  elliptic support u^2/D^2 + v^2/E^2 < 1 (D on the lag axis, E on the Doppler axis):
%          exp(2c) * exp(c*D^2/(u^2 - D^2) + c*E^2/(v^2 - E^2))
%   'mfk'  one elliptic term per entry of the equally long vectors theta (degrees), D and E,
%          each rotated by its angle (at theta = 0, D is on the Doppler axis and E on the lag
%          axis); a later term replaces the earlier ones inside its own support. c is the first
%          value of its input. Each mfk call writes the quadrant of non-negative lags and
%          Dopplers of its kernel to the file check.txt in the current folder.
%
%   The kernel is 1 at the origin and falls to 0 at the edge of its support; a larger c makes
%   it fall faster. Only D^2 and E^2 enter, so their signs do not matter.
%
%   c, D and E of 'csk' and 'ckd' must be real double scalars: for 'csk' a bad one prints
%   "Inputs must be a scalar." and the call returns no output; for 'ckd' it raises an error.
%   Other errors are printed in the command window and leave an empty result. A signal that is
%   not a vector is taken as its first max(size(x)) values, with the notice "Invalid
%   Dimensions"; an imaginary part of x is ignored.
%
%   Example:
%      x = fenwid('lin', 0.05, 0.45, 256, 1);     % real linear chirp
%      tfd = halvor(x, 'ckd', 1, 0.1, 0.05);
%      imagesc(0:255, (0:255) / 512, tfd); axis xy
%
%   See also FENWID, MODVANE, DELFO, GINDLE4.
