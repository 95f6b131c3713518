# The command line's header-only libraries (CLI11, nlohmann-json) for a
# cross-build, taken from the build machine's Debian packages and seen
# through a folder that holds their headers and CMake files alone:
# /usr/include itself must not reach the cross compiler, whose C library
# headers are its own. Sets LUMO_HOST_HEADERS to that folder, for
# CMAKE_FIND_ROOT_PATH.
set(LUMO_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
foreach(dir CLI nlohmann)
  if(EXISTS /usr/include/${dir} AND NOT EXISTS ${LUMO_HOST_HEADERS}/usr/include/${dir})
    file(MAKE_DIRECTORY ${LUMO_HOST_HEADERS}/usr/include)
    file(CREATE_LINK /usr/include/${dir} ${LUMO_HOST_HEADERS}/usr/include/${dir} SYMBOLIC)
  endif()
endforeach()
foreach(package CLI11 nlohmann_json)
  if(EXISTS /usr/share/cmake/${package})
    file(COPY /usr/share/cmake/${package} DESTINATION ${LUMO_HOST_HEADERS}/usr/share/cmake)
  endif()
endforeach()
