## tarsel, hovat and gindle4 in the real client: output shapes and classes, printed messages,
## agreement with the host build bit for bit, and their help texts.

%!function msg = peak_error (routine, text)
%!  msg = ["??? Error using ==> " routine char(7) "\n" text ".\n\n"];
%!endfunction

%!function msg = peak_warning (routine)
%!  msg = ["??? Warning ==> " routine "\nWindow length has been truncated to signal length.\n\n"];
%!endfunction

%!function x = peak_noise (n, cplx)
%!  x = cos ((1:n)' .^ 1.7) .* (1 + 0.3 * sin ((1:n)' * 0.37));
%!  if (cplx)
%!    x = complex (x, sin ((1:n)' .^ 1.3));
%!  endif
%!endfunction

## Shapes and classes: a column of ceil(N/T) estimates, or a 2*NFFT-by-ceil(N/T) distribution,
## whatever the signal's orientation.
%!test
%! x = peak_noise (50, false);
%! for sig = {x, x.', single(x), int16(100 * x)}
%!   f = tarsel (sig{1}, 12, 7);
%!   assert (size (f), [8 1]);
%!   assert (class (f), "double");
%!   assert (isreal (f));
%!   assert (all (f >= 0 & f < 0.5));
%!   f = hovat (sig{1}, 12, 7);
%!   assert (size (f), [8 1]);
%!   assert (class (f), "double");
%!   assert (all (f >= 0 & f < 1));
%!   assert (f(end), 0);
%!   d = gindle4 (sig{1}, 12, 7);
%!   assert (size (d), [32 8]);
%!   assert (class (d), "double");
%!   assert (isreal (d));
%! endfor
%! assert (size (gindle4 (x, 12, 7, 40)), [128 8]);

## The same calls in both builds give the same bits, warnings and their text included.
%!test
%! x = peak_noise (100, false);
%! z = peak_noise (129, true);
%! calls = {{x, 31, 3}, {x, 32, 5}, {z, 20, 7, 100}, {single(z), int8(9), 2}, {x(1:9), 10, 1}, ...
%!          {z(1:8), 10, 1}, {x, 1, 4}, {z, 15, 129}};
%! for m = {"tarsel", "hovat", "gindle4"}
%!   for i = 1:numel (calls)
%!     args = calls{i};
%!     text = evalc ("y = feval (m{1}, args{:});");
%!     [out, printed, err] = host_call (m{1}, 1, args{:});
%!     assert (err, "");
%!     assert (printed, text, sprintf ("%s, call %d", m{1}, i));
%!     assert (bits_equal (y, out{1}), sprintf ("%s, call %d", m{1}, i));
%!   endfor
%! endfor

## The truncation warning goes on with the truncated window: the largest odd length in tarsel,
## the signal length in hovat and gindle4.
%!test
%! x = peak_noise (8, true);
%! for m = {"tarsel", 7; "hovat", 8; "gindle4", 8}'
%!   text = evalc ("y = feval (m{1}, x, 10, 1);");
%!   assert (text, peak_warning (m{1}));
%!   assert (bits_equal (y, feval (m{1}, x, m{2}, 1)));
%! endfor

## Messages, byte for byte, in check order, with empty outputs.
%!test
%! x = peak_noise (16, false);
%! cases = {
%!   {x, 4},                       "Not enough input arguments";
%!   {x, 4, 2, 8, 1},              "Too many input arguments";
%!   {{1}, "w", "t"},              "Input must be a vector";
%!   {"abcdef", 4, 2},             "Input must be a vector";
%!   {[true false true], 4, 2},    "Input must be a vector";
%!   {sparse(x), 4, 2},            "Input must be a vector";
%!   {3, 4, 2},                    "Input must be a vector";
%!   {ones(3, 4), 4, 2},           "Input must be a vector";
%!   {zeros(1, 0), 4, 2},          "Input must be a vector";
%!   {x, [4 4], "t"},              "";
%!   {x, true, "t"},               "";
%!   {x, 0.9, "t"},                "Window length must be greater than zero";
%!   {x, NaN, "t"},                "Window length must be greater than zero";
%!   {x, 4, "t"},                  "Time resolution must be a scalar";
%!   {x, 4, 0.5},                  "Time resolution must be greater than zero";
%!   {x, 4, 17, "f"},              "Time resolution must be no greater than signal length";
%!   {x, 4, 2, sparse(8)},         "FFT length must be a scalar";
%!   {x, 4, 2, 0},                 "FFT length must be greater than zero";
%!   {x, 4, 2, 2^31 - 1},          "FFT length must be no greater than 1073741824"};
%! window = {"tarsel", "Window length must be a scalar";
%!           "hovat", "Smoothing window length must be a scalar";
%!           "gindle4", "Smoothing window length must be a scalar"};
%! for j = 1:rows (window)
%!   m = window{j, 1};
%!   for i = 1:rows (cases)
%!     args = cases{i, 1};
%!     msg = cases{i, 2};
%!     if (isempty (msg))
%!       msg = window{j, 2};
%!     endif
%!     y = 1;
%!     text = evalc ("y = feval (m, args{:});");
%!     assert (text, peak_error (m, msg), sprintf ("%s, case %d", m, i));
%!     assert (size (y), [0 0]);
%!     assert (class (y), "double");
%!   endfor
%!   p = q = 1;
%!   text = evalc ("[p, q] = feval (m, x, 4, 2);");
%!   assert (text, peak_error (m, "Too many output arguments"));
%!   assert (size (p), [0 0]);
%!   assert (size (q), [0 0]);
%!   text = evalc ("y = feval (m, x, 40, 17);");
%!   assert (text, [peak_warning(m) peak_error(m, "Time resolution must be no greater than signal length")]);
%! endfor

## No output requested: the result still goes to slot 1 (ans).
%!test
%! tarsel (peak_noise (20, false), 5, 2);
%! assert (size (ans), [10 1]);
%! gindle4 (peak_noise (20, false), 5, 2);
%! assert (size (ans), [16 10]);

## The complex tone exp(j 2 pi n / 8), N = 64, W = 64, T = 8.
%!test
%! x = exp (2i * pi * (0:63)' / 8);
%! f = tarsel (x, 64, 8);
%! assert (f(2:end), 0.125 * ones (7, 1));
%! assert (hovat (x, 64, 8), [0.125 * ones(7, 1); 0]);
%! d = gindle4 (x, 64, 8);
%! [~, rows] = max (d(:, 2:end));
%! assert (rows, 33 * ones (1, 7));
%! assert (d(:, 1), ones (128, 1), 1e-6);

## help NAME, with the help file beside the module as a user installs them.
%!test
%! forms = {"tarsel", "f = tarsel(x, W, T, F)"; "hovat", "f = hovat(x, W, T, F)";
%!          "gindle4", "tfd = gindle4(x, W, T, F)"};
%! dir = tempname ();
%! mkdir (dir);
%! unwind_protect
%!   for i = 1:rows (forms)
%!     copyfile (which (forms{i, 1}), dir);
%!     copyfile (fullfile (getenv ("TOOLBOX_HELP_DIR"), [forms{i, 1} ".m"]), dir);
%!   endfor
%!   addpath (dir);
%!   for i = 1:rows (forms)
%!     text = evalc (["help " forms{i, 1}]);
%!     assert (! isempty (strfind (text, forms{i, 2})), forms{i, 1});
%!   endfor
%! unwind_protect_cleanup
%!   rmpath (dir);
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (dir, "s");
%! end_unwind_protect
