## The main job: runs every demo in toolbox/demos, each writing its figures to out/demo/.
root = fileparts (fileparts (mfilename ("fullpath")));
addpath (fullfile (root, "toolbox"));
addpath (fullfile (root, "toolbox", "demos"));
outdir = fullfile (root, "out", "demo");
if (! exist (outdir, "dir"))
  mkdir (outdir);
endif
graphics_toolkit ("gnuplot");
demos = dir (fullfile (root, "toolbox", "demos", "demo_*.m"));
failed = 0;
for i = 1:numel (demos)
  [~, name] = fileparts (demos(i).name);
  printf ("%s ...\n", name);
  try
    feval (name, outdir);
  catch err
    printf ("%s failed: %s\n", name, err.message);
    failed = failed + 1;
  end_try_catch
endfor
figs = dir (fullfile (outdir, "*.png"));
printf ("%d figures in %s\n", numel (figs), outdir);
exit (double (failed > 0));
