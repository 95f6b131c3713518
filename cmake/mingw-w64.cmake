# Cross-build of a static lumo.exe for 64-bit Windows with Debian's MinGW-w64
# toolchain (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#   cmake --build build-windows -j2 --target lumo
# The program links the C and C++ runtimes statically, so it needs no DLL
# beyond those every Windows 10 or 11 has. No tests are built for it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LUMO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMO_MINGW_PREFIX}-windres)

# Header-only libraries (CLI11, nlohmann-json) are taken from the build
# machine's Debian packages.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMO_MINGW_PREFIX} ${LUMO_HOST_HEADERS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(LUMO_TESTS OFF CACHE BOOL "Build the tests" FORCE)
