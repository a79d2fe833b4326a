## demo_halvor (OUTDIR): the compact-kernel distribution of a two-component signal (a linear
## chirp and a component with a sinusoidal frequency law) with each of the three kernel types,
## the true instantaneous frequencies drawn over them, and the mfk kernel as its dump shows it.
function demo_halvor (outdir)
  N = 256;
  P = 2 ^ nextpow2 (N);
  n = (0:N-1)';
  x = fenwid ("lin", 0.05, 0.2, N, 1) + fenwid ("sin", 0.35, 0.01, N, 1, 3);
  if_lin = 0.05 + 0.15 * n / N;
  if_sin = 0.35 + pi * 0.01 * 3 * cos (2 * pi * 0.01 * n);

  ## At theta = 0 an mfk term has D on the Doppler axis and E on the lag axis.
  theta = [0 30 -30];
  D = [0.05 0.03 0.03];
  E = [0.1 0.08 0.08];
  runs = {
    "csk", {1, 0.06},                   "csk: c = 1, D = 0.06";
    "ckd", {1, 0.1, 0.05},              "ckd: c = 1, D = 0.1, E = 0.05";
    "mfk", {1, theta, D, E},            "mfk: c = 1, three rotated terms"};

  ## mfk writes its kernel dump (check.txt) into the current folder: work in a folder of our own.
  here = pwd ();
  work = tempname ();
  mkdir (work);
  unwind_protect
    cd (work);
    tfd = cell (1, rows (runs));
    for i = 1:rows (runs)
      tfd{i} = halvor (x, runs{i, 1}, runs{i, 2}{:});
    endfor
    quadrant = load ("check.txt");
  unwind_protect_cleanup
    cd (here);
    confirm_recursive_rmdir (false, "local");
    rmdir (work, "s");
  end_unwind_protect

  fig = figure ("visible", "off", "position", [0 0 1100 860]);
  colormap (flipud (gray (256)));
  freq = (0:P-1) / (2 * P);
  for i = 1:rows (runs)
    subplot (2, 2, i);
    imagesc (n, freq, max (tfd{i}, 0));
    axis xy;
    hold on;
    ## Column n is centred on sample n - 1.
    plot (n + 1, if_lin, "r-", n + 1, if_sin, "b-", "linewidth", 1.5);
    hold off;
    axis ([0 N-1 0 0.5]);
    title (runs{i, 3});
    xlabel ("time (samples)");
    ylabel ("frequency (cycles/sample)");
  endfor
  subplot (2, 2, 4);
  [H, W] = size (quadrant);
  imagesc ((0:W-1) / N, (0:H-1) / P, quadrant);
  axis xy;
  axis ([0 0.15 0 0.15]);
  colorbar ();
  title ("mfk kernel: quadrant written to check.txt");
  xlabel ("Doppler v (cycles/sample)");
  ylabel ("lag u");
  print (fig, fullfile (outdir, "halvor_kernels.png"), "-dpngcairo");
  close (fig);
endfunction
