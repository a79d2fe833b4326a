## modvane in the real client: shapes and classes, printed messages, agreement with the host
## build, the client's fft narrowing a zero result, and a client fft that misbehaves.

%!shared x, xc, err, wrn
%! n = (0:99)';
%! x = cos (2*pi*(0.05*n + 0.3*n.^2/200)) + 0.5*sin (2*pi*0.31*n + 0.2);
%! xc = (1 + 0.05*n) .* exp (2i*pi*(0.11*n + 0.004*n.^2));
%! err = @(routine, msg) sprintf ("??? Error using ==> %s\a\n%s.\n\n", routine, msg);
%! wrn = @(msg) sprintf ("??? Warning ==> modvane\n%s.\n\n", msg);

## (The client hands back a complex result whose imaginary parts are all zero as real: so
## does a real signal with F = 1.)
%!test
%! cases = {
%!   {x},                               [65 100],  true;
%!   {x(1:10), 3},                      [9 4],     true;
%!   {[x; x; x], 1, 100},               [65 128],  true;
%!   {x, 1, 1},                         [1 1],     false;
%!   {x, 1, 100, 1},                    [65 100],  false;
%!   {x', 2, 64, 0, 9, "hann"},         [33 32],   true;
%!   {xc, 4, 100, 1, 15, "BART"},       [65 25],   false;
%!   {single(x), 1, 64, 1.9},           [33 64],   false};
%! for i = 1:rows (cases)
%!   D = modvane (cases{i, 1}{:});
%!   assert (size (D), cases{i, 2});
%!   assert (iscomplex (D), cases{i, 3});
%!   assert (class (D), "double");
%! endfor

## Every message, in the order the checks run, captured as printed.
%!test
%! cases = {
%!   {},                                         "Not enough input arguments";
%!   {x, 1, 64, 0, 5, "hann", 7, 8},             "Too many input arguments";
%!   {"abc"},                                    "Input must be a vector";
%!   {[true false true]},                        "Input must be a vector";
%!   {sparse([1 0 2])},                          "Input must be a vector";
%!   {ones(3, 4)},                               "Input must be a vector";
%!   {zeros(1, 0)},                              "Input must be a vector";
%!   {x, [1 2]},                                 "Time resolution must be a scalar";
%!   {x, 0.9},                                   "Time resolution length must be greater than zero";
%!   {x, 1, "a"},                                "FFT length must be a scalar";
%!   {x, 1, NaN},                                "FFT length must be greater than zero";
%!   {x, 1, 2^30 + 1},                           "FFT length must be no greater than 1073741824";
%!   {x, 1, 64, {0}},                            "Modvane or Levin option must be a scalar";
%!   {x, 1, 64, 2},                              "1 or 0 required for Modvane = 0 and Levin = 1";
%!   {x, 1, 64, 0, [3 5], "hann"},               "Smoothing window length must be a scalar";
%!   {x, 1, 64, 0, 0, "hann"},                   "Window length must be greater than zero";
%!   {x, 1, 64, 0, 5, 2},                        "Smoothing window type must be a string";
%!   {x, 1, 64, 0, 5, ["hann"; "hann"]},         "Could not get smoothing window type";
%!   {x, 1, 64, 0, 5, "Hann"},                   "Unknown smoothing window type";
%!   {x, 1, 64, 0, 5, "rectangular"},            "Unknown smoothing window type";
%!   {x, 1, 64, 0, 5},                           "Need to specify window type"};
%! for i = 1:rows (cases)
%!   args = cases{i, 1};
%!   D = 1;
%!   printed = evalc ("D = modvane (args{:});");
%!   assert (printed, err ("modvane", cases{i, 2}));
%!   assert (size (D), [0 0]);
%! endfor
%! printed = evalc ("[a, b] = modvane (x);");
%! assert (printed, err ("modvane", "Too many output arguments"));
%! assert (size (a), [0 0]);
%! assert (size (b), [0 0]);

%!test
%! trunc = wrn ("Window length has been truncated to signal length");
%! odd = wrn ("Window length is not odd, truncating to odd value.");
%! printed = evalc ("D = modvane (x, 1, 128, 0, 8, 'rect');");
%! assert (printed, odd);
%! assert (bits_equal (D, modvane (x, 1, 128, 0, 7, "rect")));
%! printed = evalc ("D = modvane (x, 1, 128, 0, 200, 'hamm');");
%! assert (printed, [trunc odd]);
%! assert (bits_equal (D, modvane (x, 1, 128, 0, 99, "hamm")));
%! printed = evalc ("D = modvane ([x; 1], 1, 128, 0, 200, 'hamm');");
%! assert (printed, trunc);
%! printed = evalc ("D = modvane (x, 1, 128, 0, 200);");
%! assert (printed, [trunc odd err("modvane", "Need to specify window type")]);

## With no output requested the zero matrix made before the window checks stays as ans.
%!test
%! clear ans;
%! printed = evalc ("modvane (x, 2, 64, 0, 0, 'hann');");
%! assert (printed, err ("modvane", "Window length must be greater than zero"));
%! assert (size (ans), [33 32]);
%! assert (all (ans(:) == 0));

## The plain distribution uses only our own transform: the same bits as the host build.
%!test
%! cases = {{x}, {x, 3}, {x, 1, 64, 1}, {xc, 2, 128, 0}, {single(x), 1, 100}, {[x; x; x], 1, 100, 1}, ...
%!          {int16(100*x), 5, 256}};
%! for i = 1:numel (cases)
%!   D = modvane (cases{i}{:});
%!   [out, printed, e] = host_call ("modvane", 1, cases{i}{:});
%!   assert (printed, "");
%!   assert (e, "");
%!   assert (bits_equal (D, out{1}), sprintf ("case %d", i));
%! endfor

## Smoothing goes through each client's fft, which may differ in the last digits.
%!test
%! cases = {{x, 1, 128, 0, 21, "rect"}, {x, 2, 128, 0, 31, "hann"}, {x, 3, 64, 1, 15, "hamm"}, ...
%!          {x, 1, 128, 0, 99, "bart"}, {xc, 1, 64, 0, 11, "HANN"}, {xc(1:20), 1, 8, 0, 11, "bart"}, ...
%!          {x, 1, 16, 1, 5, "RECT"}};
%! for i = 1:numel (cases)
%!   D = modvane (cases{i}{:});
%!   [out, printed, e] = host_call ("modvane", 1, cases{i}{:});
%!   H = out{1};
%!   assert (size (D), size (H));
%!   assert (iscomplex (D), iscomplex (H));
%!   assert (max (abs (D(:) - H(:))) <= 1e-12 * max (abs (H(:))), sprintf ("case %d", i));
%! endfor

## A zero signal makes the client's fft hand back a result with no imaginary part.
%!test
%! D = modvane (zeros (64, 1), 1, 64, 0, 9, "hann");
%! assert (size (D), [33 64]);
%! assert (all (D(:) == 0));

## A user's fft that shadows the client's: a result of the wrong size is refused, an error ends
## the call as an error.
%!test
%! dir = tempname ();
%! mkdir (dir);
%! unwind_protect
%!   fid = fopen (fullfile (dir, "fft.m"), "w");
%!   fputs (fid, "function y = fft (x)\n  if (columns (x) == 3)\n    error ('no fft today');\n  endif\n  y = x(1:end-1, :);\nendfunction\n");
%!   fclose (fid);
%!   warning ("off", "Octave:shadowed-function", "local");
%!   addpath (dir);
%!   printed = evalc ("D = modvane (x, 2, 64, 0, 9, 'hann');");
%!   assert (printed, err ("spec", "Unable to call FFT MATLAB function"));
%!   assert (size (D), [33 32]);
%!   assert (all (D(:) == 0));
%!   fail ("modvane (x, 3, 8, 0, 3, 'rect')", "no fft today");
%! unwind_protect_cleanup
%!   rmpath (dir);
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (dir, "s");
%! end_unwind_protect
