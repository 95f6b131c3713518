# Build of the command line as WebAssembly with Debian's emscripten (package
# emscripten), for the web page; tools/build-web runs it:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
#   cmake --build build-web -j2 --target lumo_site
# No tests are built for it; the native build's tests drive the result.
if(NOT EMSCRIPTEN_ROOT_PATH)
  set(EMSCRIPTEN_ROOT_PATH /usr/share/emscripten)
endif()
include(${EMSCRIPTEN_ROOT_PATH}/cmake/Modules/Platform/Emscripten.cmake)

include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
list(APPEND CMAKE_FIND_ROOT_PATH ${LUMO_HOST_HEADERS})

set(LUMO_TESTS OFF CACHE BOOL "Build the tests" FORCE)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE MinSizeRel CACHE STRING "Build type" FORCE)
endif()
