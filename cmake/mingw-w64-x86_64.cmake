# Cross-building the core and its tests for 64-bit Windows with Debian's mingw-w64
# (package g++-mingw-w64-x86-64-posix: the POSIX thread model, which std::thread and
# std::mutex need). The executables are linked statically, so that they run as they are,
# under Windows or under Wine, without the compiler's DLLs beside them.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVANEL_CORE_ONLY=ON

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVANEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVANEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANEL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVANEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the Windows executables through Wine when it is there (Debian's wine64
# package puts it in /usr/lib/wine, the wine package adds /usr/bin/wine).
find_program(ORVANEL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ORVANEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVANEL_WINE})
endif()
