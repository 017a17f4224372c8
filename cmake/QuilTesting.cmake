# Test programs: one GoogleTest executable per subsystem, registered as one ctest entry so that a
# Windows build pays one Wine start per program, not per case. Results land as XML in
# <build>/test-results for the summary the test command prints.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

set(QUIL_TEST_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results)

# quil_add_test(<name> [DISPLAY] SOURCES <files...> [LIBS <targets...>])
# DISPLAY runs the program with a virtual X display of its own (Linux window tests).
function(quil_add_test name)
  cmake_parse_arguments(ARG "DISPLAY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(test_${name} ${ARG_SOURCES})
  target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  set(report ${QUIL_TEST_RESULTS_DIR}/${name}.xml)
  if(CMAKE_CROSSCOMPILING)
    # Under Wine the Unix file system is drive Z:.
    set(report Z:${report})
  endif()
  if(ARG_DISPLAY)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/cmake/with-xvfb.sh $<TARGET_FILE:test_${name}>
                                  --gtest_output=xml:${report})
  else()
    add_test(NAME ${name} COMMAND test_${name} --gtest_output=xml:${report})
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Every Windows test program of a build folder shares one Wine prefix and server.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine)
  endif()
endfunction()

# quil_native_path(<var> <path>): a path as a test program opens it: under Wine the Unix file system is drive Z:.
function(quil_native_path var path)
  if(CMAKE_CROSSCOMPILING)
    set(${var} Z:${path} PARENT_SCOPE)
  else()
    set(${var} ${path} PARENT_SCOPE)
  endif()
endfunction()

# quil_count_allocations(<test target>): the test program counts its allocations (see
# tests/effect/AllocationCounter.h): operator new through the replaced global allocator, and
# malloc, calloc, realloc and free through the linker, which sends every call the program's own
# objects and static libraries make to the counter's wrappers (GNU ld on ELF and PE alike).
function(quil_count_allocations target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/effect/AllocationCounter.cpp)
  target_compile_definitions(${target} PRIVATE QUIL_WRAP_C_ALLOCATOR)
  target_link_options(${target} PRIVATE -Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc,--wrap=free)
endfunction()

# Fuzz targets: libFuzzer programs for every reader of untrusted bytes, built only by clang in the
# sanitizer preset. Each runs for a few seconds as a ctest entry, starting from its committed seed
# corpus; new inputs it finds go to the build folder, never the source tree.
# quil_add_fuzz_test(<name> SOURCES <files...> [LIBS <targets...>] CORPUS <seed dir>)
set(QUIL_FUZZ OFF)
if(QUIL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND NOT CMAKE_CROSSCOMPILING)
  set(QUIL_FUZZ ON)
endif()

function(quil_add_fuzz_test name)
  if(NOT QUIL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz_${name} ${ARG_SOURCES})
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
  foreach(lib IN LISTS ARG_LIBS)
    # Coverage feedback from the code under test, not only from the fuzz entry.
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
  set(found ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${found})
  add_test(NAME fuzz_${name} COMMAND fuzz_${name} -max_total_time=5 -seed=1 ${found} ${ARG_CORPUS})
endfunction()
