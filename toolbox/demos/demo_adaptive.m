## demo_adaptive (OUTDIR): the sample-by-sample IF estimates of nupe and yeskel on a linear
## chirp, real and analytic, against the chirp's true instantaneous frequency.
function demo_adaptive (outdir)
  N = 512;
  n = (0:N-1)';
  a = 0.05;
  b = 0.45;
  alpha = 0.8;
  mu = 0.25;
  truth = a + (b - a) * n / N;
  kinds = {1, "real"; 0, "analytic"};
  fig = figure ("visible", "off", "position", [0 0 900 720]);
  for i = 1:rows (kinds)
    x = fenwid ("lin", a, b, N, kinds{i, 1});
    subplot (2, 1, i);
    plot (n, nupe (x, alpha), "r-", "linewidth", 2.5, ...
          n, yeskel (x, mu), "b-", "linewidth", 1.5, ...
          n, truth, "k--", "linewidth", 1);
    axis ([0 N-1 0 0.5]);
    title (sprintf ("linear chirp %g to %g cycles/sample, %s signal", a, b, kinds{i, 2}));
    ylabel ("cycles per sample");
    legend (sprintf ("nupe, alpha = %g", alpha), sprintf ("yeskel, mu = %g", mu), "true IF", ...
            "location", "northwest");
  endfor
  xlabel ("sample n");
  print (fig, fullfile (outdir, "adaptive_chirp.png"), "-dpngcairo");
  close (fig);
endfunction
