# Cross build for 64-bit Windows with MinGW-w64 (posix threads); tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# libpng and libjpeg-turbo are cross-built by tools/setup.sh into its cache.
if(DEFINED ENV{TAVRIN_CACHE})
    set(TAVRIN_MINGW_PREFIX $ENV{TAVRIN_CACHE}/mingw-w64)
else()
    set(TAVRIN_MINGW_PREFIX $ENV{HOME}/.cache/tavrin/mingw-w64)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${TAVRIN_MINGW_PREFIX})
# The executable links everything statically, zlib included.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
