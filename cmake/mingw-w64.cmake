# Cross-building the Windows program on Debian with mingw-w64 (posix threads, for
# std::thread and std::mutex), for the target that ZELKOR_MINGW_TRIPLET names: included
# by the toolchain file of each (mingw-w64-x86_64.cmake, mingw-w64-i686.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZELKOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELKOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELKOR_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZELKOR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
