# SPDX-License-Identifier: MIT
# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which the C++
# standard library's threads need). Programs link statically, so that they import only the DLLs
# that every Windows has; CTest runs the test programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QZD_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${QZD_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QZD_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QZD_MINGW_PREFIX}-windres)

# Libraries and headers come from the mingw tree only; never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${QZD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
# Windows 10 is the oldest system the programs are made for.
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -DUNICODE -D_UNICODE -DNOMINMAX -ffunction-sections -fdata-sections")

find_program(QZD_WINE NAMES wine wine64)
if(QZD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QZD_WINE})
endif()
