# Cross-builds for 64-bit Windows on Debian with mingw-w64 (posix threads):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WORLD_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WORLD_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WORLD_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${WORLD_MINGW_PREFIX}-windres)

# Libraries and headers come from the target's tree (and CMAKE_PREFIX_PATH),
# programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${WORLD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
