## demo_peak (OUTDIR): the peak IF estimators tarsel and hovat on a quadratic-law signal in noise,
## and the fourth-order distribution gindle4 of a cubic-law signal, against the true IF.
function demo_peak (outdir)
  N = 1024;
  n = (0:N-1)';

  ## tarsel and hovat: a real quadratic-law signal in white noise, 5 dB signal-to-noise ratio.
  a = 0.1;
  b = 0.4;
  snr = 5;
  truth = a + 4 * (b - a) * (n / N) .* (1 - n / N);
  randn ("state", 1);
  x = fenwid ("quad", a, b, N, 1) + sqrt (0.5 / 10 ^ (snr / 10)) * randn (N, 1);
  T = 4;
  ## tarsel's estimate i is at sample (i-1)*T, hovat's at i*T (its last one, at the end, is 0).
  panels = {"tarsel", tarsel(x, 127, T), 0, "W = 127, T = 4";
            "hovat", hovat(x, 64, T, 256), 1, "W = 64, T = 4, F = 256"};
  fig = figure ("visible", "off", "position", [0 0 900 760]);
  for i = 1:rows (panels)
    [name, f, first, params] = panels{i, :};
    subplot (2, 1, i);
    plot ((first:numel (f) - 1 + first) * T, f, "b.", "markersize", 7, ...
          n, truth, "r-", "linewidth", 1.5);
    axis ([0 N-1 0 0.5]);
    title (sprintf ("%s, %s: quadratic law %g to %g and back, real signal, SNR %d dB", ...
                    name, params, a, b, snr));
    ylabel ("cycles per sample");
    legend (sprintf ("%s estimate", name), "true IF", "location", "south");
  endfor
  xlabel ("sample n");
  print (fig, fullfile (outdir, "peak_tarsel_hovat.png"), "-dpngcairo");
  close (fig);

  ## gindle4: an analytic cubic-law signal.
  N = 512;
  n = (0:N-1)';
  a = 0.05;
  b = 0.4;
  T = 2;
  tfd = gindle4 (fenwid ("cubic", a, b, N, 0), 127, T);
  rows = size (tfd, 1);
  fig = figure ("visible", "off", "position", [0 0 900 640]);
  imagesc ((0:columns (tfd)-1) * T, (0:rows-1) / (2 * rows), tfd);
  axis xy;
  colormap (flipud (gray ()));
  hold on;
  plot (n, a + 3.625 * (b - a) * n / N - 8.25 * (b - a) * (n / N) .^ 2 + 5.625 * (b - a) * (n / N) .^ 3, ...
        "r-", "linewidth", 1);
  hold off;
  axis ([0 N-1 0 0.5]);
  title (sprintf ("gindle4, W = 127, T = %d: cubic law %g to %g, analytic signal; red: true IF", T, a, b));
  xlabel ("sample n");
  ylabel ("cycles per sample");
  print (fig, fullfile (outdir, "peak_gindle4.png"), "-dpngcairo");
  close (fig);
endfunction
