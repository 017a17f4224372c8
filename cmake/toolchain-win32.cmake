set(QUIL_MINGW_TRIPLE i686-w64-mingw32)
set(QUIL_MINGW_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# SSE2 arithmetic instead of the x87 unit: doubles then round exactly as on x86-64, so i386 gives
# the same numbers (display precision, filter coefficients) as the other builds.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
