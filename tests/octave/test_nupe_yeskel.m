## nupe and yeskel in the real client: shapes, classes, printed messages, and the same bits as
## the host build.

%!shared x, z
%! k = (0:199)';
%! x = cos (2*pi*(0.05*k + 0.0008*k.^2));      # real chirp
%! z = exp (2i*pi*0.1*k) .* (1 + 0.2*sin (0.05*k));

%!test
%! ## A row or a column in, a real double column out, first estimate 0.
%! for m = {"nupe", "yeskel"}
%!   for s = {x, x.', z, z.'}
%!     f = feval (m{1}, s{1}, 0.5);
%!     assert (size (f), [200, 1]);
%!     assert (class (f), "double");
%!     assert (isreal (f));
%!     assert (f(1), 0);
%!   endfor
%!   assert (feval (m{1}, x.', 0.5), feval (m{1}, x, 0.5));
%! endfor

%!test
%! ## A complex tone at 0.1 cycles per sample is tracked.
%! f = nupe (z, 0.9);
%! assert (f(end-20:end), 0.1 * ones (21, 1), 2e-3);
%! f = yeskel (z, 0.1);
%! assert (f(end-20:end), 0.1 * ones (21, 1), 2e-3);

%!test
%! ## Messages in check order, with empty outputs.
%! e = @(name, msg) sprintf ("??? Error using ==> %s\a\n%s.\n\n", name, msg);
%! cases = {
%!   "nupe",   "f = nupe (x, 0.5, 1);",        "Too many input arguments"
%!   "yeskel", "f = yeskel (x);",              "Not enough input arguments"
%!   "nupe",   "f = nupe ('abc', 0.5);",       "Input must be a vector"
%!   "yeskel", "f = yeskel (ones (3, 4), 1);", "Input must be a vector"
%!   "nupe",   "f = nupe (7, 0.5);",           "Input must be a vector"
%!   "nupe",   "f = nupe (zeros (1, 0), 1);",  "Input must be a vector"
%!   "yeskel", "f = yeskel (sparse (x), 1);",  "Input must be a vector"
%!   "nupe",   "f = nupe (x, [0.9 0.9]);",     "Forgetting factor 'alpha' must be a real scalar"
%!   "yeskel", "f = yeskel (x, true);",        "Forgetting factor 'mu' must be a real scalar"
%!   "nupe",   "f = nupe (x, -0.1);",          "Forgetting factor 'alpha' must be a non-negative scalar"
%!   "yeskel", "f = yeskel (x, -1e-50);",      "Forgetting factor 'mu' must be a non-negative scalar"
%!   "nupe",   "[f, g] = nupe (x, -1);",       "Forgetting factor 'alpha' must be a non-negative scalar"
%!   "yeskel", "[f, g] = yeskel (x, 1);",      "Too many output arguments"
%! };
%! for i = 1:rows (cases)
%!   f = g = 1;
%!   txt = evalc (cases{i,2});
%!   assert (txt, e (cases{i,1}, cases{i,3}), cases{i,2});
%!   assert (size (f), [0, 0]);
%!   if (cases{i,2}(1) == "[")
%!     assert (size (g), [0, 0]);
%!   endif
%! endfor

%!test
%! ## With no output requested the estimate still becomes ans.
%! clear ans;
%! nupe (z, 0.5);
%! assert (ans, nupe (z, 0.5));

%!test
%! ## The same bits as the host build: real and complex signals, single-precision alpha,
%! ## other classes, NaN and a tiny negative alpha that rounds to -0 in single precision.
%! cases = {
%!   "nupe",   x,            0.99
%!   "nupe",   z.',          0.5
%!   "nupe",   single(x),    0.9
%!   "nupe",   x,            -1e-50
%!   "nupe",   z,            NaN
%!   "nupe",   z(1:2),       0
%!   "yeskel", x,            0.99
%!   "yeskel", z,            0.05
%!   "yeskel", int16(100*x), 1e-5
%!   "yeskel", x(1:3),       0
%! };
%! for i = 1:rows (cases)
%!   [out, printed, err] = host_call (cases{i,1}, 1, cases{i,2}, cases{i,3});
%!   assert (printed, "");
%!   assert (err, "");
%!   assert (bits_equal (feval (cases{i,1}, cases{i,2}, cases{i,3}), out{1}), sprintf ("case %d", i));
%! endfor
