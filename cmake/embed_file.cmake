# Writes a C++ header holding the bytes of a file as an array, so that the
# program carries a copy of it built from the one source file.
#   cmake -DINPUT=file -DOUTPUT=header.h -DNAME=kArrayName -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
get_filename_component(source "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${source} by cmake/embed_file.cmake: do not edit.\n"
  "#pragma once\n\n"
  "inline constexpr char ${NAME}[] = {${bytes}};\n")
configure_file("${OUTPUT}.tmp" "${OUTPUT}" COPYONLY)
file(REMOVE "${OUTPUT}.tmp")
