# Cross-compiling for 64-bit Windows with Debian's MinGW-w64
# (package g++-mingw-w64-x86-64). Programs built here run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VARNEL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VARNEL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARNEL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VARNEL_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VARNEL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ and GCC runtimes and winpthread go into the executable, so it
# needs no MinGW DLL, only the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the Windows executables through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
