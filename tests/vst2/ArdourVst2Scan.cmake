# A real host's view of the Linux VST2 library: Ardour's VST2 scanner loads it, instantiates the
# effect and reports what it found. Run with -DSCANNER=<program> -DLIBRARY=<file> -DCACHE=<folder>.
if(NOT EXISTS "${SCANNER}")
  message(FATAL_ERROR "${SCANNER} not found: the real-host check needs the ardour package")
endif()
get_filename_component(libraries "${SCANNER}" DIRECTORY)
# The scanner writes its cache under the user's cache folder: keep it inside the build.
file(REMOVE_RECURSE "${CACHE}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${libraries} XDG_CACHE_HOME=${CACHE}
          "${SCANNER}" --verbose --force "${LIBRARY}"
  OUTPUT_VARIABLE report ERROR_VARIABLE report
  RESULT_VARIABLE status
  TIMEOUT 60)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the scanner failed (${status})")
endif()
foreach(expected
    "Found Plugin: '[^']*' FenwoxQuil"
    "name=\"FenwoxQuil\" creator=\"Fenwox\""
    "n_inputs=\"2\" n_outputs=\"2\""
    "can_process_replace=\"1\"")
  if(NOT report MATCHES "${expected}")
    message(FATAL_ERROR "the scanner did not report ${expected}")
  endif()
endforeach()
