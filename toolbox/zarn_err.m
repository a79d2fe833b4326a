## -*- texinfo -*-
## zarn_err (MSG): raises an error with the text MSG. The toolbox modules call it to hand a
## failure to MATLAB or Octave as a real error.
function zarn_err (msg)
  error ("%s", msg);
end
