## demo_modvane (OUTDIR): the Levin distribution of a linear chirp plus a tone, plain and
## smoothed with each window type, with the components' true instantaneous frequencies drawn
## over it (dashed: chirp, dotted: tone).
function demo_modvane (outdir)
  N = 256;
  W = 31;
  n = (0:N-1)';
  fa = 0.05;
  fb = 0.45;
  ftone = 0.25;
  x = fenwid ("lin", fa, fb, N, 1) + 0.8 * cos (2 * pi * ftone * n);

  panels = {"plain", {};
            sprintf("rect, W = %d", W), {W, "rect"};
            sprintf("hann, W = %d", W), {W, "hann"};
            sprintf("hamm, W = %d", W), {W, "hamm"};
            sprintf("bart, W = %d", W), {W, "bart"}};
  fig = figure ("visible", "off", "position", [0 0 1200 760]);
  colormap (blue_white_red (256));
  for i = 1:rows (panels)
    D = modvane (x, 1, N, 1, panels{i, 2}{:});
    f = (0:rows (D) - 1) / N;
    subplot (2, 3, i);
    imagesc (n, f, D);
    axis xy;
    ## The plain distribution puts the whole tone into one row: scale by a high quantile so
    ## that the chirp shows as well.
    lim = quantile (abs (D(:)), 0.995);
    caxis ([-lim lim]);
    hold on;
    plot (n, fa + (fb - fa) * n / N, "k--", "linewidth", 1.5);
    plot (n, ftone + 0 * n, "k:", "linewidth", 1.5);
    hold off;
    title (sprintf ("Levin distribution, %s", panels{i, 1}));
    xlabel ("time (samples)");
    ylabel ("frequency (cycles/sample)");
  endfor
  subplot (2, 3, 6);
  plot (n, x, "b-");
  axis ([0 N-1 -2 2]);
  title ("the signal: chirp 0.05 to 0.45, tone 0.25");
  xlabel ("time (samples)");
  print (fig, fullfile (outdir, "modvane_levin.png"), "-dpngcairo");
  close (fig);
endfunction

## Negative values blue, zero white, positive red: the Levin distribution takes both signs.
function map = blue_white_red (m)
  h = floor (m / 2);
  up = linspace (0, 1, h)';
  map = [up, up, ones(h, 1); ones(m - h, 1), flipud(linspace (0, 1, m - h)'), flipud(linspace (0, 1, m - h)')];
endfunction
