# 32-bit Windows, the shipped artifact: i686 MinGW cross compiler. The posix
# thread model, because GoogleTest needs std::mutex and its suite is built
# from the very objects that make the DLL; the plug-in itself uses no threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(LUMVET_OBJDUMP i686-w64-mingw32-objdump)
# Doubles on SSE2, rounded to double at every step, not kept in x87 registers.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run under 32-bit Wine; the wrapper keeps its prefix in the build tree.
set(LUMVET_USE_WINE ON)
