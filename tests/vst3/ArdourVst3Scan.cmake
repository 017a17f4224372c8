# A real host's view of the Linux bundle: Ardour's VST3 scanner loads it, instantiates the effect
# and reports what it found. Run with -DSCANNER=<program> -DPLUGIN=<bundle> -DCACHE=<folder>.
include(${CMAKE_CURRENT_LIST_DIR}/../support/RunArdourScanner.cmake)
quil_expect_in_report(
  "Found Plugin: FenwoxQuil"
  "name=\"FenwoxQuil\" vendor=\"Fenwox\" category=\"Fx\\|Delay\""
  "n_inputs=\"2\" n_outputs=\"2\"")
