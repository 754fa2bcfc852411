# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which C++ threads need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LEAF_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${LEAF_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LEAF_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LEAF_MINGW}-windres)
set(CMAKE_AR ${LEAF_MINGW}-gcc-ar-posix)
set(CMAKE_RANLIB ${LEAF_MINGW}-gcc-ranlib-posix)

# Libraries and headers of the target only: the mingw sysroot and the prefixes given in CMAKE_PREFIX_PATH.
set(CMAKE_FIND_ROOT_PATH /usr/${LEAF_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in, so the executables need no mingw DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# mingw's zlib comes as an import library too, which a search would take first; the archive is linked in instead.
set(ZLIB_LIBRARY /usr/${LEAF_MINGW}/lib/libz.a CACHE FILEPATH "zlib linked into the executables")
set(ZLIB_INCLUDE_DIR /usr/${LEAF_MINGW}/include CACHE PATH "")
