# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package mingw-w64): make windows,
# make windows-test and the conformance test's Win32 runners.
#
# The -posix compilers: the default -win32 thread model has no std::mutex or std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Wine finds no MinGW runtime DLLs (libstdc++-6.dll, libwinpthread-1.dll), and neither would a
# Windows machine without MinGW: every program carries its runtime.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
