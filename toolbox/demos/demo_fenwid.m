## demo_fenwid (OUTDIR): one signal of each frequency law, its real part and its intended
## instantaneous frequency, one figure per law.
function demo_fenwid (outdir)
  N = 256;
  n = (0:N-1)';
  laws = {
    "lin",   {0.05, 0.45},       @(n) 0.05 + 0.40 * n / N;
    "quad",  {0.05, 0.40},       @(n) 0.05 + 4 * 0.35 * (n / N) .* (1 - n / N);
    "cubic", {0.05, 0.45},       @(n) cubic_if (0.05, 0.45, N, n);
    "hyp",   {0.05, 0.40},       @(n) hyp_if (0.05, 0.40, N, n);
    "sin",   {0.25, 0.01, 5},    @(n) 0.25 + pi * 0.01 * 5 * cos (2 * pi * 0.01 * n);
    "step",  {0.05, 0.45, 5},    @(n) step_if (0.05, 0.45, N, 5, n)};
  for i = 1:rows (laws)
    [law, p, f] = laws{i, :};
    x = fenwid (law, p{1}, p{2}, N, 1, p{3:end});
    fig = figure ("visible", "off", "position", [0 0 900 640]);
    subplot (2, 1, 1);
    plot (n, x, "b-");
    axis ([0 N-1 -1.2 1.2]);
    title (sprintf ("fenwid('%s', ...): real signal", law));
    subplot (2, 1, 2);
    plot (n, f (n), "r-", "linewidth", 2);
    axis ([0 N-1 0 0.5]);
    title ("intended instantaneous frequency");
    xlabel ("sample n");
    ylabel ("cycles per sample");
    print (fig, fullfile (outdir, sprintf ("fenwid_%s.png", law)), "-dpngcairo");
    close (fig);
  endfor
endfunction

function f = cubic_if (a, b, N, n)
  ## The cubic through a at 0, (a+b)/2 at N/3 and b at N with zero slope change at N/3.
  l = 3.625 * (b - a) / N;
  h = -8.25 * (b - a) / N^2;
  g = 5.625 * (b - a) / N^3;
  f = a + l * n + h * n.^2 + g * n.^3;
endfunction

function f = hyp_if (a, b, N, n)
  k = 2 * (a - b) / ((a + b) * N);
  A = a * (1 - N * k / 2) / k;
  f = A * k ./ (1 + k * (n - N / 2));
endfunction

function f = step_if (a, b, N, K, n)
  f = a + floor (n / (N / K)) * (b - a) / (K - 1);
endfunction
