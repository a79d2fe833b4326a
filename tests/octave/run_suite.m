## run_suite (NAME): runs the %!test blocks of the suite file NAME against the Octave build and
## exits with status 0 only when every block passed.
function run_suite (name)
  addpath (getenv ("TOOLBOX_HELP_DIR"));
  addpath (getenv ("TOOLBOX_DIR"));
  addpath (fileparts (mfilename ("fullpath")));
  [n, nmax] = test (name, "quiet", stdout);
  printf ("%s: %d passed, %d failed\n", name, n, nmax - n);
  exit (double (nmax == 0 || n < nmax));
endfunction
