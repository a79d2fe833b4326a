## [OUT, PRINTED, ERR] = host_call (MODULE, NLHS, ARGS...): makes the same call against the host
## build of MODULE (through mexhost_call) and returns its output slots (a cell; [] where a slot
## was not assigned), what it printed, and the error it raised ("" when none).
## MODULE may be a struct with fields name, fail_alloc and fft_imag (0 keep, 1 narrow, 2 drop).
function [out, printed, err] = host_call (module, nlhs, varargin)
  opts = struct ("name", module, "fail_alloc", 0, "fft_imag", 0);
  if (isstruct (module))
    opts = module;
  endif
  in = [tempname() ".in"];
  res = [tempname() ".out"];
  f = fopen (in, "wb");
  put_string (f, opts.name);
  fwrite (f, [nlhs, opts.fail_alloc, opts.fft_imag, numel(varargin)], "int32");
  for i = 1:numel (varargin)
    put_array (f, varargin{i});
  endfor
  fclose (f);
  [status, text] = system (sprintf ("'%s' '%s' '%s'", getenv ("MEXHOST_CALL"), in, res));
  unlink (in);
  if (status != 0)
    error ("host_call: mexhost_call failed with status %d: %s", status, text);
  endif
  f = fopen (res, "rb");
  printed = get_string (f);
  raised = fread (f, 1, "int32");
  err = get_string (f);
  if (! raised)
    err = "";
  endif
  slots = fread (f, 1, "int32");
  out = cell (1, slots);
  for i = 1:slots
    if (fread (f, 1, "int32"))
      out{i} = get_array (f);
    endif
  endfor
  fclose (f);
  unlink (res);
endfunction

function put_string (f, s)
  fwrite (f, numel (s), "int32");
  fwrite (f, double (s), "uchar");
endfunction

function s = get_string (f)
  n = fread (f, 1, "int32");
  s = char (fread (f, [1, n], "uchar"));
  if (n == 0)
    s = "";
  endif
endfunction

function put_array (f, x)
  ids = struct ("cell", 1, "struct", 2, "logical", 3, "char", 4, "double", 6, "single", 7,
                "int8", 8, "uint8", 9, "int16", 10, "uint16", 11, "int32", 12, "uint32", 13,
                "int64", 14, "uint64", 15);
  fwrite (f, [ids.(class (x)), iscomplex(x), issparse(x)], "int32");
  fwrite (f, size (x)(1:2), "int64");
  if (! (iscell (x) || isstruct (x)))
    fwrite (f, double (real (full (x(:)))), "double");
    if (iscomplex (x))
      fwrite (f, double (imag (full (x(:)))), "double");
    endif
  endif
endfunction

function x = get_array (f)
  head = fread (f, 3, "int32");
  dims = fread (f, 2, "int64")';
  re = fread (f, prod (dims), "double");
  x = reshape (re, dims);
  if (head(2))
    x = complex (x, reshape (fread (f, prod (dims), "double"), dims));
  endif
  if (head(1) == 4)
    x = char (x);
  endif
endfunction
