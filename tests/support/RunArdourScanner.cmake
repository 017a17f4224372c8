# Runs one of Ardour's plug-in scanners, hosts nobody here wrote, on a plug-in and leaves its report
# in `report`; included by the real-host checks with SCANNER=<program>, PLUGIN=<bundle or library>
# and CACHE=<folder>, which then look for what the scanner must have found.
if(NOT EXISTS "${SCANNER}")
  message(FATAL_ERROR "${SCANNER} not found: the real-host check needs the ardour package")
endif()
get_filename_component(libraries "${SCANNER}" DIRECTORY)
# The scanner writes its cache under the user's cache folder: keep it inside the build.
file(REMOVE_RECURSE "${CACHE}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${libraries} XDG_CACHE_HOME=${CACHE}
          "${SCANNER}" --verbose --force "${PLUGIN}"
  OUTPUT_VARIABLE report ERROR_VARIABLE report
  RESULT_VARIABLE status
  TIMEOUT 60)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the scanner failed (${status})")
endif()

# quil_expect_in_report(<regular expressions...>)
function(quil_expect_in_report)
  foreach(expected IN LISTS ARGN)
    if(NOT report MATCHES "${expected}")
      message(FATAL_ERROR "the scanner did not report ${expected}")
    endif()
  endforeach()
endfunction()
