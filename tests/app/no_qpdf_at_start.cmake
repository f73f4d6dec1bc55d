# Fails when one of PROGRAMS (separated by commas) lists libqpdf or one of the
# libraries only qpdf brings as NEEDED: they load it on first use instead.
string(REPLACE "," ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${READELF} -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT dynamic MATCHES "NEEDED[^\n]*libc\\.so")
    message(FATAL_ERROR "readelf -d ${program} gave no list of needed libraries")
  endif()
  string(REGEX MATCHALL "NEEDED[^\n]*\\[(libqpdf|libgnutls|libnettle|libhogweed|libgmp)[^]]*\\]" loaded "${dynamic}")
  if(loaded)
    message(FATAL_ERROR "${program} loads at start what only reading a PDF document needs:\n${loaded}")
  endif()
endforeach()
