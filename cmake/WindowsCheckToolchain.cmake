# Configures the project as a Windows build with MinGW-w64 for scripts/check-windows, which only
# compiles (syntax only) and never links. The host's Linux packages stand in for the Windows
# ones: their package files give the same targets, include folders and definitions, and their
# headers are platform-neutral enough for a syntax check. Libraries and headers found by path
# still come only from the MinGW-w64 tree, so a Linux header cannot slip in unnoticed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# A Qt built for Windows defines these for every program that uses it (the Linux Qt's
# targets do not), so the Windows API's text macros pick their wide forms as they will there.
set(CMAKE_C_FLAGS_INIT "-DUNICODE -D_UNICODE")
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE")
