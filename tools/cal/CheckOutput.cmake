# Runs TOOL with ARGS (a list) and checks its exit status against STATUS and, when EXPECTED
# names a file, its standard output against that file byte for byte. A failing run must
# explain itself on exactly one line of standard error.
execute_process(COMMAND ${TOOL} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${errors}")
endif()
if(NOT STATUS STREQUAL "0")
  string(REGEX MATCHALL "\n" newlines "${errors}")
  list(LENGTH newlines lines)
  if(NOT lines EQUAL 1 OR NOT output STREQUAL "")
    message(FATAL_ERROR "expected one line on stderr and nothing on stdout, got:\n${errors}${output}")
  endif()
endif()
if(EXPECTED)
  file(READ ${EXPECTED} expected)
  if(NOT output STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual-output.txt "${output}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; see ${CMAKE_CURRENT_BINARY_DIR}/actual-output.txt")
  endif()
endif()
