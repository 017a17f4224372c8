set(QUIL_MINGW_TRIPLE x86_64-w64-mingw32)
set(QUIL_MINGW_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
