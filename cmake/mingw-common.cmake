# Shared part of the mingw-w64 cross toolchains. The including file sets QUIL_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${QUIL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUIL_MINGW_TRIPLE}-windres)

# Third-party libraries built by the setup step live in a prefix beside the build folders.
get_filename_component(QUIL_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(QUIL_DEPS_PREFIX "${QUIL_SOURCE_DIR}/build/deps/${QUIL_MINGW_ARCH}")
set(CMAKE_FIND_ROOT_PATH /usr/${QUIL_MINGW_TRIPLE} ${QUIL_DEPS_PREFIX})
set(CMAKE_PREFIX_PATH ${QUIL_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)


# Plug-in libraries carry their dependencies: pick static zlib over the DLL's import library.
set(ZLIB_USE_STATIC_LIBS ON)
