%FENWID  Test signals whose frequency follows a chosen law.
%
%   x = fenwid(law, a, b, N, s)          law: 'lin', 'quad', 'cubic' or 'hyp'
%   x = fenwid('sin', a, b, N, s, c)
%   x = fenwid('step', a, b, N, s, K)
%
%   Generates N samples (n = 0 .. N-1) of unit amplitude, exp(j*phi(n)) when s is not 1 (an
%   analytic, complex signal) or cos(phi(n)) when s = 1 (a real signal). Frequencies are in
%   cycles per sample (0.5 is half the sampling rate); the law names may also be given in
%   capitals ('LIN', 'SIN', ...).
%
%   'lin'    linear law from a at n = 0 to b at n = N:  f(n) = a + (b-a)*n/N
%   'quad'   quadratic law, a at both ends and b at n = N/2
%   'cubic'  cubic law, a at n = 0, (a+b)/2 at n = N/3 and b at n = N
%   'hyp'    hyperbolic law (1/f linear in n) from a at n = 0 to b at n = N; a = b or a = -b
%            gives NaN samples
%   'sin'    sinusoidal modulation: carrier a, modulation frequency b, depth c:
%            f(n) = a + pi*b*c*cos(2*pi*b*n)
%   'step'   K >= 2 equal steps from a to b, each N/K samples long, smoothed over 3 samples
%
%   N, s and K are truncated toward zero (2.9 gives 2). s is read in 16 bits: only 1 (and
%   values equal to 1 modulo 65536) gives a real signal; 0, 2 or -1 give an analytic one.
%   The output is an N-by-1 column, real for s = 1 and complex otherwise.
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('lin', 0.05, 0.45, 256, 0);   % analytic linear chirp
%      plot(real(x))
%
%   See also NUPE, YESKEL, TARSEL, HOVAT, GINDLE4, DELFO, MODVANE, HALVOR.
