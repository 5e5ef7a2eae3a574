# Cross-compiling for 64-bit Windows with Debian's mingw-w64 compiler (the POSIX threads flavour,
# which the C++ standard library's threads and mutexes need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# GCC 12 warns wrongly about std::string's own copies when it inlines them (GCC bug 105329).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
# The libraries scripts/package-windows builds for Windows (Qt, pugixml; a list of install
# folders) are found like the compiler's own.
if(CORVALEN_WINDOWS_PREFIXES)
    list(APPEND CMAKE_FIND_ROOT_PATH ${CORVALEN_WINDOWS_PREFIXES})
endif()
