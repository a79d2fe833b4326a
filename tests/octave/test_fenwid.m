## fenwid in the real client: output shapes and classes, printed messages, agreement with the
## host build, and its help text.

%!function msg = fenwid_error (text)
%!  msg = ["??? Error using ==> fenwid" char(7) "\n" text ".\n\n"];
%!endfunction

%!test
%! x = fenwid ("lin", 0.1, 0.4, 64, 1);
%! assert (size (x), [64 1]);
%! assert (class (x), "double");
%! assert (isreal (x) && ! issparse (x));
%! z = fenwid ("LIN", 0.1, 0.4, 64, 0);
%! assert (size (z), [64 1]);
%! assert (iscomplex (z));
%! assert (bits_equal (real (z), x));
%! assert (abs (z), ones (64, 1), 1e-15);

## Signal kind: the truncated value in 16 bits; 1 alone (modulo 65536) is real.
%!test
%! kinds = {1, true; 0, false; 0.5, false; 1.7, true; 2, false; -1, false; 65537, true;
%!          int8(1), true; single(1), true};
%! for i = 1:rows (kinds)
%!   y = fenwid ("quad", 0.1, 0.4, 16, kinds{i,1});
%!   assert (size (y), [16 1]);
%!   assert (isreal (y), kinds{i,2}, sprintf ("s = %g", double (kinds{i,1})));
%! endfor

## Every law and form, in each case the same bits as the host build.
%!test
%! calls = {{"lin", 0.05, 0.45, 100, 0}, {"quad", 0.1, 0.4, 77, 0}, {"cubic", 0.4, 0.1, 90, 1}, ...
%!          {"HYP", 0.1, 0.4, 64, 0}, {"sin", 0.25, 0.02, 128, 0, 3}, {"STEP", 0.1, 0.4, 10, 0, 2}, ...
%!          {"step", 0.1, 0.35, 7, 1, 25}, {"lin", 0.1, 0.4, int16(33), single(0)}, ...
%!          {"hyp", 0.2, 0.2, 5, 0}};
%! for i = 1:numel (calls)
%!   args = calls{i};
%!   x = fenwid (args{:});
%!   [out, printed, err] = host_call ("fenwid", 1, args{:});
%!   assert (printed, "");
%!   assert (err, "");
%!   assert (bits_equal (x, out{1}), sprintf ("call %d (%s)", i, args{1}));
%! endfor

## No output requested: the signal still goes to slot 1 (ans).
%!test
%! fenwid ("lin", 0.1, 0.4, 8, 0);
%! assert (size (ans), [8 1]);
%! assert (iscomplex (ans));

## One sample: phase 0 except for hyp. (The client turns a complex result whose imaginary
## parts are all zero into a real one, so only the value is compared.)
%!test
%! assert (fenwid ("lin", 0.1, 0.4, 1, 0), 1);
%! assert (fenwid ("step", 0.1, 0.4, 1, 0, 3), 1);
%! assert (abs (imag (fenwid ("hyp", 0.1, 0.4, 1, 0))) > 0.1);

## Messages, byte for byte (BEL included), with empty outputs.
%!test
%! cases = {
%!   {"lin", 0.1, 0.4, 16},                       "Not enough input arguments";
%!   {"lin", 0.1, 0.4, 16, 0, 1, 1},              "Too many input arguments";
%!   {1, 0.1, 0.4, 16, 0},                        "Data type must be a string";
%!   {["lin"; "LIN"], 0.1, 0.4, 16, 0},           "Could not get data type";
%!   {"Lin", 0.1, 0.4, 16, 0, 1},                 "Unknown data type";
%!   {"lin", 0.1, 0.4, 16, 0, 1},                 "Too many input arguments";
%!   {"sin", 0.1, 0.4, 16, 0},                    "Not enough input arguments for type 'sin'";
%!   {"step", 0.1, 0.4, 16, 0},                   "Not enough input arguments";
%!   {"lin", 0.1, [1 2], 16, 0},                  "Second input parameter must be a scalar";
%!   {"lin", true, 0.4, 16, 0},                   "Second input parameter must be a scalar";
%!   {"hyp", 0.1, "b", 16, 0},                    "Second input parameter must be a scalar";
%!   {"quad", 0.1, 0.4, sparse(16), 0},          "Fourth input parameter must be a scalar";
%!   {"cubic", 0.1, 0.4, 0.9, 0},                 "Number of samples must be greater than zero";
%!   {"cubic", 0.1, 0.4, NaN, 0},                 "Number of samples must be greater than zero";
%!   {"cubic", 0.1, 0.4, Inf, 0},                 "Number of samples must be greater than zero";
%!   {"cubic", 0.1, 0.4, 2^40, 0},                "Number of samples must be greater than zero";
%!   {"lin", 0.1, 0.4, 16, {0}},                  "sig_type flag must be 0 (analytic) or 1 (real)";
%!   {"sin", 0.1, 0.4, 16, 0, [1 2]},             "Second input parameter must be a scalar";
%!   {"step", 0.1, 0.4, 16, 0, [1 2]},            "Fifth input parameter must be a scalar";
%!   {"step", 0.1, 0.4, 16, 0, 1},                "Number of frequency steps must be greater than or equal to two";
%!   {"step", 0.1, 0.4, 16, 0, int8(1)},          "Number of frequency steps must be greater than or equal to two"};
%! for i = 1:rows (cases)
%!   args = cases{i,1};
%!   y = 1;
%!   text = evalc ("y = fenwid (args{:});");
%!   assert (text, fenwid_error (cases{i,2}));
%!   assert (size (y), [0 0]);
%!   assert (class (y), "double");
%!   [~, printed] = host_call ("fenwid", 1, args{:});
%!   assert (printed, text);
%! endfor

## Too many outputs: the message, and every requested output empty.
%!test
%! p = q = 1;
%! text = evalc ("[p, q] = fenwid ('lin', 0.1, 0.4, 16, 0);");
%! assert (text, fenwid_error ("Too many output arguments"));
%! assert (size (p), [0 0]);
%! assert (size (q), [0 0]);

## help fenwid, with the help file beside the module as a user installs them.
%!test
%! helpfile = fullfile (getenv ("TOOLBOX_HELP_DIR"), "fenwid.m");
%! if (! exist (helpfile, "file"))
%!   return;
%! endif
%! dir = tempname ();
%! mkdir (dir);
%! unwind_protect
%!   copyfile (which ("fenwid"), dir);
%!   copyfile (helpfile, dir);
%!   addpath (dir);
%!   text = evalc ("help fenwid");
%!   assert (! isempty (strfind (text, "x = fenwid(law, a, b, N, s)")));
%!   assert (! isempty (strfind (text, "fenwid('step', a, b, N, s, K)")));
%! unwind_protect_cleanup
%!   rmpath (dir);
%!   confirm_recursive_rmdir (false, "local");
%!   rmdir (dir, "s");
%! end_unwind_protect
