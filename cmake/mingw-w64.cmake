# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compiler (g++-mingw-w64-x86-64-posix); the programs
# and tests run under Wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVT_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: std::thread and std::mutex exist only there.
set(CMAKE_C_COMPILER ${KVT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KVT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KVT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime goes into each program, so a program file runs on its own without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(KVT_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KVT_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KVT_WINE})
endif()
