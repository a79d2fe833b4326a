## halvor in the real client: every way a call ends, the kernel dump, agreement with the host
## build, and client results that come back without an imaginary part. Calls with kernel type
## mfk write check.txt into the current folder, so they run in a temporary folder.

%!function t = err_text (msg)
%!  t = ["??? Error using ==> Compacttfd" char(7) "\n" msg ".\n\n"];
%!endfunction

%!function r = rel_diff (a, b)
%!  r = max (abs (a(:) - b(:))) / max (max (abs (b(:))), realmin);
%!endfunction

## Runs the call (one output) in a fresh temporary folder, in Octave and then on the host, and
## returns both outputs, both printed texts and both check.txt dumps ([] where none was written).
%!function [y, printed, dump, hy, hprinted, hdump] = in_temp_folder (varargin)
%!  here = pwd ();
%!  dir = tempname ();
%!  mkdir (dir);
%!  unwind_protect
%!    cd (dir);
%!    y = [];
%!    printed = evalc ("y = halvor (varargin{:});");
%!    dump = read_dump ();
%!    [out, hprinted] = host_call ("halvor", 1, varargin{:});
%!    hy = out{1};
%!    hdump = read_dump ();
%!  unwind_protect_cleanup
%!    cd (here);
%!    confirm_recursive_rmdir (false, "local");
%!    rmdir (dir, "s");
%!  end_unwind_protect
%!endfunction

%!function d = read_dump ()
%!  d = [];
%!  if (exist ("check.txt", "file"))
%!    d = fileread ("check.txt");
%!    delete ("check.txt");
%!  endif
%!endfunction

%!shared x5
%! x5 = cos (0.7 * (0:4)' + 0.2) + 0.3 * sin (0.13 * (0:4)' .^ 2);

%!test  # errors that print a message and leave empty outputs, the same on the host
%! x = x5;
%! cases = {
%!   {x, "csk", 1},                           "Not enough input arguments";
%!   {"abcde", "csk", 1, 0.3},                "Input must be a vector";
%!   {true(1, 4), "csk", 1, 0.3},             "Input must be a vector";
%!   {sparse([1; 0; 2]), "csk", 1, 0.3},      "Input must be a vector";
%!   {zeros(1, 0), "csk", 1, 0.3},            "Input must be a vector";
%!   {x, 1, 1, 0.3},                          "Smoothing window type must be a string";
%!   {x, ["csk"; "csk"], 1, 0.3},             "Could not get kernel type";
%!   {x, "Csk", 1, 0.3},                      "Unknown kernel type";
%!   {x, "ckd", 1, 0.3},                      "Not enough input arguments";
%!   {x, "MFK", 1, 0, 0.3},                   "Not enough input arguments";
%!   {x, "mfk", [], 0, 0.3, 0.2},             "Inputs must be a scalar.";
%!   {x, "mfk", 1, zeros(1, 0), 0.3, 0.2},    "Input must be a vector"};
%! for i = 1:rows (cases)
%!   args = cases{i, 1};
%!   y = 1;
%!   printed = evalc ("y = halvor (args{:});");
%!   assert (printed, err_text (cases{i, 2}));
%!   assert (size (y), [0 0]);
%!   [out, hprinted, herr] = host_call ("halvor", 1, args{:});
%!   assert (hprinted, printed);
%!   assert (herr, "");
%!   assert (size (out{1}), [0 0]);
%! endfor
%! a = 1; b = 1;
%! printed = evalc ("[a, b] = halvor (x, 'csk', 1, 0.3);");
%! assert (printed, err_text ("Too many output arguments"));
%! assert (size (a), [0 0]);
%! assert (size (b), [0 0]);

%!test  # csk and mfk parameter errors assign no output
%! x = x5;
%! cases = {
%!   {x, "csk", [1 2], 0.3},                        "Inputs must be a scalar.";
%!   {x, "CSK", 1, complex(0.3, 0)},                "Inputs must be a scalar.";
%!   {x, "csk", 1, single(0.3)},                    "Inputs must be a scalar.";
%!   {x, "mfk", 1, [0 45], [0.3 0.1], [0.2 0.2 0.2]}, err_text(" length of all the parameters should be same")};
%! for i = 1:rows (cases)
%!   args = cases{i, 1};
%!   clear ans
%!   printed = evalc ("halvor (args{:});");
%!   assert (printed, cases{i, 2});
%!   assert (! exist ("ans", "var"));
%!   [out, hprinted] = host_call ("halvor", 1, args{:});
%!   assert (hprinted, printed);
%!   assert (isempty (out{1}));
%!   msg = "";
%!   assert (evalc ("try, y = halvor (args{:}); catch e, msg = e.message; end_try_catch"), printed);
%!   assert (! isempty (strfind (msg, "undefined")));
%! endfor

%!test  # a ckd parameter error raises an error in the client
%! x = x5;
%! for bad = {{[1 2], 0.3, 0.2}, {1, 0.3, int32(1)}, {1, "a", 0.2}}
%!   args = [{x, "ckd"}, bad{1}];
%!   msg = "";
%!   try
%!     halvor (args{:});
%!   catch e
%!     msg = e.message;
%!   end_try_catch
%!   assert (msg, "halvor: Inputs must be a scalar.");
%!   [out, hprinted, herr] = host_call ("halvor", 1, args{:});
%!   assert (herr, "Inputs must be a scalar.");
%!   assert (isempty (out{1}));
%! endfor

%!test  # notices, output shapes, and inputs that are read as the values they hold
%! printed = evalc ("y = halvor (5, 'csk', 1, 0.3);");
%! assert (printed, "\n Invalid Dimensions ");
%! assert (y, 0);
%! m = reshape (1:12, 3, 4);
%! printed = evalc ("y = halvor (m, 'csk', 1, 0.3);");
%! assert (printed, "\n Invalid Dimensions ");
%! assert (bits_equal (y, halvor ((1:4)', "csk", 1, 0.3)));
%! for n = [5 8 9]
%!   y = halvor (cos (0.4 * (1:n)), "ckd", 1, 0.3, 0.2);
%!   assert (size (y), [2 ^ nextpow2(n), n]);
%!   assert (isreal (y) && isa (y, "double"));
%! endfor
%! y = halvor (x5, "csk", 1, 0.3);
%! assert (bits_equal (halvor (x5 + 2i, "csk", 1, 0.3), y));
%! assert (bits_equal (halvor (x5, "csk", 1, 0.3, {"ignored"}, "too"), y));
%! assert (bits_equal (halvor (int16 ([3 -1 4 1 5]), "CSK", 1, 0.3), halvor ([3 -1 4 1 5], "csk", 1, 0.3)));
%! assert (bits_equal (halvor (single ([3 -1 4 1 5]), "csk", 1, 0.3), halvor ([3 -1 4 1 5], "csk", 1, 0.3)));

%!test  # the mfk kernel dump, and the same dump from the host build
%! [y, printed, dump, hy, hprinted, hdump] = in_temp_folder ((1:4)', "mfk", 1, 0, 0.4, 0.5);
%! assert (printed, "");
%! assert (dump, "1.000000 0.526752 \n0.716531 0.377434 \n");
%! assert (hdump, dump);
%! [y, printed, dump, hy, hprinted, hdump] = in_temp_folder (x5, "mfk", [2 9], int8 ([0; 60]), [0.3 0.1], single ([0.2 0.25]));
%! assert (size (y), [8 5]);
%! assert (numel (strsplit (strtrim (dump), "\n")), 4);
%! assert (hdump, dump);
%! assert (rel_diff (y, hy) <= 1e-12);
%! [y, printed, dump] = in_temp_folder (7, "mfk", 1, 0, 0.3, 0.2);
%! assert (printed, "\n Invalid Dimensions ");
%! assert (y, 0);
%! assert (ischar (dump) && isempty (dump));
%! [y, printed] = in_temp_folder (x5, "mfk", 1, [0 45; 90 10], [0.3 0.1], [0.2 0.2]);
%! assert (printed, "\n Invalid Dimensions ");
%! assert (size (y), [8 5]);

%!test  # agreement with the host build
%! t = (0:99)';
%! x = cos (2 * pi * (0.05 * t + 0.001 * t .^ 2)) + 0.5 * cos (2 * pi * 0.3 * t);
%! calls = {{"csk", 1, 0.2}, {"ckd", 0.5, 0.3, 0.1}, {"ckd", -1, 0.2, 0.3}};
%! for n = [1 2 3 17 100]
%!   for i = 1:numel (calls)
%!     evalc ("y = halvor (x(1:n), calls{i}{:});");
%!     out = host_call ("halvor", 1, x(1:n), calls{i}{:});
%!     assert (size (y), size (out{1}));
%!     assert (rel_diff (y, out{1}) <= 1e-12, sprintf ("n = %d, %s", n, calls{i}{1}));
%!   endfor
%! endfor
%! [y, ~, ~, hy] = in_temp_folder (x, "mfk", 1, [0 30 -20], [0.2 0.1 0.05], [0.1 0.3 0.05]);
%! assert (rel_diff (y, hy) <= 1e-12);

%!test  # an all-zero signal: every transform result of the client comes back real
%! y = halvor (zeros (8, 1), "csk", 1, 0.3);
%! assert (isreal (y));
%! assert (y, zeros (8, 8));
%! out = host_call (struct ("name", "halvor", "fail_alloc", 0, "fft_imag", 1), 1, zeros (8, 1), "csk", 1, 0.3);
%! assert (bits_equal (out{1}, y));
%! x = cos (0.9 * (0:11)');
%! keep = host_call ("halvor", 1, x, "ckd", 1, 0.3, 0.2);
%! narrow = host_call (struct ("name", "halvor", "fail_alloc", 0, "fft_imag", 1), 1, x, "ckd", 1, 0.3, 0.2);
%! assert (bits_equal (narrow{1}, keep{1}));
%! assert (rel_diff (halvor (x, "ckd", 1, 0.3, 0.2), keep{1}) <= 1e-12);
