# Compiles statement_check.cpp as is (must succeed) and with each
# LUMO_CASE (each must fail). Arguments: CXX, SRC, INCLUDE.
set(flags -std=c++20 -fsyntax-only -I${INCLUDE})
execute_process(COMMAND ${CXX} ${flags} -DLUMO_CASE=0 ${SRC}
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the well-formed statements do not compile:\n${errors}")
endif()
foreach(case 1 2 3 4 5)
  execute_process(COMMAND ${CXX} ${flags} -DLUMO_CASE=${case} ${SRC}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    message(FATAL_ERROR "case ${case} compiles, but must not")
  endif()
endforeach()
