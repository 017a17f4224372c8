# Test programs: one GoogleTest executable per subsystem, registered as one ctest entry so that a
# Windows build pays one Wine start per program, not per case. Results land as XML in
# <build>/test-results for the summary the test command prints.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

set(QUIL_TEST_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results)

# quil_add_test(<name> SOURCES <files...> [LIBS <targets...>])
function(quil_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(test_${name} ${ARG_SOURCES})
  target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  set(report ${QUIL_TEST_RESULTS_DIR}/${name}.xml)
  if(CMAKE_CROSSCOMPILING)
    # Under Wine the Unix file system is drive Z:.
    set(report Z:${report})
  endif()
  add_test(NAME ${name} COMMAND test_${name} --gtest_output=xml:${report})
  if(CMAKE_CROSSCOMPILING)
    # Every Windows test program of a build folder shares one Wine prefix and server.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine)
  endif()
endfunction()
