# One source list per module, compiled once per host: "host" (our MEX stand-in, for the C++ tests)
# and "octave" (Octave's own mex.h, loaded by the real client).
set(TOOLBOX_HOSTS host)
if(TOOLBOX_OCTAVE)
  find_program(MKOCTFILE mkoctfile)
  if(NOT MKOCTFILE)
    message(FATAL_ERROR "mkoctfile not found: install liboctave-dev (scripts/deps does), "
                        "or configure with -DTOOLBOX_OCTAVE=OFF for the host build alone")
  endif()
  execute_process(COMMAND ${MKOCTFILE} -p OCTINCLUDEDIR
                  OUTPUT_VARIABLE OCTAVE_INCLUDE_DIR OUTPUT_STRIP_TRAILING_WHITESPACE)
  find_program(OCTAVE_CLI octave-cli REQUIRED)
  list(APPEND TOOLBOX_HOSTS octave)
endif()
set(TOOLBOX_HOST_MODULE_DIR "${CMAKE_BINARY_DIR}/host_modules")

function(toolbox_use_host target host)
  if(host STREQUAL "host")
    target_link_libraries(${target} PUBLIC mexhost)
  else()
    # As mkoctfile --mex builds: the client resolves the interface symbols when it loads us.
    target_include_directories(${target} PUBLIC "${OCTAVE_INCLUDE_DIR}")
    target_compile_definitions(${target} PUBLIC MEX_DEBUG)
  endif()
endfunction()

# toolbox_library(NAME src...): a static library of shared code, one per host (NAME_host, ...).
function(toolbox_library name)
  foreach(host ${TOOLBOX_HOSTS})
    add_library(${name}_${host} STATIC ${ARGN})
    target_include_directories(${name}_${host} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
    toolbox_use_host(${name}_${host} ${host})
  endforeach()
endfunction()

# toolbox_module(NAME src...): the loadable module NAME for every host, linked with the shared
# library. Host modules land in ${TOOLBOX_HOST_MODULE_DIR}, Octave's in ${TOOLBOX_OCTAVE_DIR}.
function(toolbox_module name)
  foreach(host ${TOOLBOX_HOSTS})
    set(t ${name}_${host})
    add_library(${t} MODULE ${ARGN})
    target_link_libraries(${t} PRIVATE common_${host})
    set_target_properties(${t} PROPERTIES OUTPUT_NAME ${name} PREFIX "")
    target_link_options(${t} PRIVATE "-Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/module.map")
    set_property(TARGET ${t} APPEND PROPERTY LINK_DEPENDS "${CMAKE_SOURCE_DIR}/cmake/module.map")
    if(host STREQUAL "host")
      set_target_properties(${t} PROPERTIES LIBRARY_OUTPUT_DIRECTORY "${TOOLBOX_HOST_MODULE_DIR}")
    else()
      set_target_properties(${t} PROPERTIES SUFFIX ".mex"
                            LIBRARY_OUTPUT_DIRECTORY "${TOOLBOX_OCTAVE_DIR}")
      target_link_options(${t} PRIVATE -Wl,-Bsymbolic)
    endif()
  endforeach()
  # The same sources as a static library for white-box suites (tests/host/test_NAME.cpp links
  # NAME_internals when it exists); built only when a suite needs it.
  if(NOT TARGET ${name}_internals)
    add_library(${name}_internals STATIC EXCLUDE_FROM_ALL ${ARGN})
    target_link_libraries(${name}_internals PUBLIC common_host)
    target_include_directories(${name}_internals PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  set_property(GLOBAL APPEND PROPERTY TOOLBOX_MODULES ${name})
endfunction()
