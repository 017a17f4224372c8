# A real host's view of the Linux VST2 library: Ardour's VST2 scanner loads it, instantiates the
# effect and reports what it found. Run with -DSCANNER=<program> -DPLUGIN=<library> -DCACHE=<folder>.
include(${CMAKE_CURRENT_LIST_DIR}/../support/RunArdourScanner.cmake)
quil_expect_in_report(
  "Found Plugin: '[^']*' FenwoxQuil"
  "name=\"FenwoxQuil\" creator=\"Fenwox\""
  "n_inputs=\"2\" n_outputs=\"2\""
  "can_process_replace=\"1\"")
