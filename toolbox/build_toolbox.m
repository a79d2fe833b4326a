%BUILD_TOOLBOX  Builds every module of the toolbox with MATLAB's mex or Octave's mkoctfile.
%
%   build_toolbox            builds the modules into this folder
%   build_toolbox(outdir)    builds them into outdir
%
%   The source lists are read from the CMakeLists.txt of each module folder (the same lists
%   the CMake build uses), so this script needs no list of its own. Every module is compiled
%   with -ffp-contract=off: results must not depend on fused multiply-add.
function build_toolbox(outdir)
  here = fileparts(mfilename('fullpath'));
  root = fileparts(here);
  if nargin < 1
    outdir = here;
  end
  common = fullfile(root, 'common');
  common_src = sources_of(fullfile(common, 'CMakeLists.txt'), 'toolbox_library');
  common_src = common_src(2:end);  % first word is the library name
  folders = {'fenwid', 'adaptive', 'peak', 'delfo', 'modvane', 'halvor'};
  is_octave = exist('OCTAVE_VERSION', 'builtin') ~= 0;
  for f = 1:numel(folders)
    dir_ = fullfile(root, folders{f});
    list = fullfile(dir_, 'CMakeLists.txt');
    if ~exist(list, 'file')
      continue;
    end
    modules = sources_of(list, 'toolbox_module');
    for m = 1:numel(modules)
      words = modules{m};
      name = words{1};
      src = [cellfun(@(s) fullfile(dir_, s), words(2:end), 'UniformOutput', false), ...
             cellfun(@(s) fullfile(common, s), common_src, 'UniformOutput', false)];
      fprintf('building %s\n', name);
      if is_octave
        flags = [mkoctfile('-p', 'CXXFLAGS') ' -std=c++17 -ffp-contract=off'];
        setenv('CXXFLAGS', strtrim(flags));
        [out, status] = mkoctfile('--mex', ['-I' common], '-o', fullfile(outdir, [name '.mex']), src{:});
        if status ~= 0
          error('build_toolbox: %s failed:\n%s', name, out);
        end
      else
        mex('-R2017b', 'CXXFLAGS=$CXXFLAGS -std=c++17 -ffp-contract=off', ['-I' common], ...
            '-outdir', outdir, '-output', name, src{:});
      end
    end
  end
end

% The argument lists of every call to fn in a CMakeLists.txt: a cell of word cells for
% toolbox_module (one per module), or the words of the single toolbox_library call.
function out = sources_of(file, fn)
  text = fileread(file);
  calls = regexp(text, [fn '\(([^)]*)\)'], 'tokens');
  out = cell(1, numel(calls));
  for i = 1:numel(calls)
    out{i} = regexp(strtrim(calls{i}{1}), '\s+', 'split');
  end
  if strcmp(fn, 'toolbox_library')
    out = out{1};
  end
end
