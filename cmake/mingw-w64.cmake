# Cross-building for Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64-posix,
# or g++-mingw-w64-i686-posix with TARVEX_MINGW_TARGET=i686-w64-mingw32). The
# programs run under Wine (tools/wine_run.sh) in a Wine prefix of the build's own.
set(TARVEX_MINGW_TARGET "x86_64-w64-mingw32" CACHE STRING "x86_64-w64-mingw32 or i686-w64-mingw32")

set(CMAKE_SYSTEM_NAME Windows)
if(TARVEX_MINGW_TARGET MATCHES "^i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
endif()
set(CMAKE_C_COMPILER ${TARVEX_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVEX_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVEX_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVEX_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs and the library carry their C and C++ run-time, so they run
# without libstdc++-6.dll, libgcc_s and libwinpthread-1.dll beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# The x87 unit keeps intermediate results in extended precision, so a
# 32-bit build would round single-precision coordinates differently in the
# last digit; SSE2 computes as every 64-bit build does.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
  set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine_run.sh;${CMAKE_BINARY_DIR}/wine")
