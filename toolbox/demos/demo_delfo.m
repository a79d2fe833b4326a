## demo_delfo (OUTDIR): the magnitude of the ambiguity function of a linear chirp, lag rows by
## Doppler columns.
function demo_delfo (outdir)
  N = 256;
  W = 127;
  x = fenwid ("lin", 0.1, 0.35, N, 0);
  A = delfo (x, 1, W);
  P = columns (A);
  B = floor ((W + 1) / 2);
  fig = figure ("visible", "off", "position", [0 0 900 720]);
  imagesc ((0:P-1) - P/2, (0:W-1) - B, abs (A));
  axis xy;
  colormap (jet (256));
  colorbar ();
  title ("|delfo(x, 1, 127)|, x a linear chirp from 0.1 to 0.35 cycles/sample, N = 256");
  xlabel ("Doppler bin");
  ylabel ("lag m");
  print (fig, fullfile (outdir, "delfo_chirp.png"), "-dpngcairo");
  close (fig);
endfunction
