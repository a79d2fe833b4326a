%MODVANE  Modvane (complex) or Levin (real) time-frequency distribution, plain or smoothed.
%
%   D = modvane(x)
%   D = modvane(x, T)
%   D = modvane(x, T, F)
%   D = modvane(x, T, F, L)
%   D = modvane(x, T, F, L, W, wtype)
%
%   Computes D(k, c) = z(t) * conj(Z(k)) * exp(-j*2*pi*k*t/NFFT) for the times t = c*T and the
%   bins k = 0 .. NFFT/2 (frequency k/NFFT in cycles per sample, 0 to 0.5). z is the analytic
%   signal of a real x (formed over NFFT points, zero padding included) or x itself when x is
%   complex, and Z its NFFT-point Fourier transform. With smoothing, Z is replaced by the
%   short-time spectrum of z around each time t through a window of W points.
%
%   x      the signal: a real or complex vector (row or column) of at least two samples;
%          single and integer classes are converted to double.
%   T      time resolution: columns are T samples apart (default 1).
%   F      FFT length, raised to the next power of two NFFT (default: the signal length;
%          at most 2^30). Only the first min(NFFT, length(x)) samples are analysed.
%   L      0 for the modvane distribution (complex output, default), 1 for the Levin
%          distribution (its real part, a real output).
%   W      smoothing window length: longer than the signal is cut to the signal length (with
%          a warning), an even length is made odd by taking one off (with a warning).
%   wtype  window type, required with W: 'rect', 'hann', 'hamm' or 'bart' (or in capitals).
%          The rect window weights every point by 1/W.
%
%   T, F, L and W are truncated toward zero (2.9 gives 2). The output is an (NFFT/2+1)-by-C
%   matrix, C = ceil(min(NFFT, length(x)) / T). Smoothing transforms all columns with one call
%   of fft: besides the output it holds two NFFT-by-C complex matrices (fft's input and result).
%
%   Errors are printed in the command window and leave an empty result.
%
%   Example:
%      x = fenwid('lin', 0.05, 0.45, 256, 1);          % real linear chirp
%      D = modvane(x, 1, 256, 1, 31, 'hann');          % smoothed Levin distribution
%      imagesc(0:255, (0:128)/256, D); axis xy
%      xlabel('time (samples)'); ylabel('frequency (cycles/sample)')
%
%   See also FENWID, HALVOR, DELFO, GINDLE4.
