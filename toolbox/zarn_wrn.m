## zarn_wrn (MSG): issues a warning with the text MSG. The toolbox modules call it to hand a
## warning to MATLAB or Octave.
function zarn_wrn (msg)
  warning ("%s", msg);
end
