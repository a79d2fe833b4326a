## delfo in the real client: shapes, classes, printed messages, and the same bits as the host
## build.

%!shared x, z
%! k = (0:99)';
%! x = cos (2*pi*(0.05*k + 0.001*k.^2));
%! z = exp (2i*pi*(0.1*k + 0.0005*k.^2));

%!test
%! ## W rows by the next power of two of N columns, complex double; rows 0 and 1 stay zero.
%! A = delfo (x, 1, 7);
%! assert (size (A), [7, 128]);
%! assert (class (A), "double");
%! assert (iscomplex (A));
%! assert (all (A(1:2,:)(:) == 0));
%! assert (all (any (A(3:7,:) != 0, 2)));
%! assert (size (delfo (z(1:5).', 2, 4)), [4, 8]);
%! assert (delfo (x.', 1, 7), A);

%!test
%! ## Rows written for W = 7, R = 2: lags 0 and 2 around the centre row 4 (0-based).
%! A = delfo (z, 2, 7);
%! assert (find (any (A != 0, 2))', [3, 5, 7]);

%!test
%! ## A complex signal is used as it is even with zero imaginary parts; a real one is made
%! ## analytic first.
%! A = delfo (complex (x, zeros (size (x))), 1, 5);
%! assert (iscomplex (A));
%! assert (! isequal (A, delfo (x, 1, 5)));
%! assert (real (A(4, 65)), sum (x.^2), 1e-9);

%!test
%! ## Messages in check order, routine name Amb, with empty outputs.
%! e = @(msg) sprintf ("??? Error using ==> Amb\a\n%s.\n\n", msg);
%! cases = {
%!   "A = delfo (x, 1);",               "Three input arguments must exist"
%!   "A = delfo (x, 1, 3, 4);",         "Three input arguments must exist"
%!   "[A, B] = delfo (x, 1, 3);",       "Only one output argument must exist."
%!   "A = delfo ('abc', 1, 3);",        "Input signal must\tbe a vector"
%!   "A = delfo (5, 1, 3);",            "Input signal must\tbe a vector"
%!   "A = delfo (ones (2, 3), 1, 3);",  "Input signal must\tbe a vector"
%!   "A = delfo (x, [1 2], 3);",        "Lag resolution must be an integer"
%!   "A = delfo (x, 0.5, 3);",          "lag resolution must be greater than zero"
%!   "A = delfo (x, 1, 'a');",          "window length must be an integer"
%!   "A = delfo (x, 1, 0.9);",          "window length  must be greater than zero"
%! };
%! for i = 1:rows (cases)
%!   A = B = 1;
%!   txt = evalc (cases{i,1});
%!   assert (txt, e (cases{i,2}), cases{i,1});
%!   assert (size (A), [0, 0]);
%!   if (cases{i,1}(1) == "[")
%!     assert (size (B), [0, 0]);
%!   endif
%! endfor

%!test
%! ## With no output requested the result still becomes ans.
%! clear ans;
%! delfo (z, 1, 5);
%! assert (ans, delfo (z, 1, 5));

%!test
%! ## The same bits as the host build.
%! cases = {
%!   x,                    1,         7
%!   z.',                  2,         9
%!   z(1:5),               1,         5
%!   complex(x, 0*x),      1,         6
%!   single(x(1:40)),      2.7,       8
%!   int8(100*x(1:33)),    int16(3),  single(11)
%! };
%! for i = 1:rows (cases)
%!   [out, printed, err] = host_call ("delfo", 1, cases{i,:});
%!   assert (printed, "");
%!   assert (err, "");
%!   assert (bits_equal (delfo (cases{i,:}), out{1}), sprintf ("case %d", i));
%! endfor
