# Every target of the project compiles clean with these warnings.
function(lk63_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  # GCC 12 at -O2 reports overlaps and uninitialised reads inside libstdc++'s own
  # std::string code (string concatenation and comparison); these are compiler
  # faults fixed in GCC 13, not faults of ours.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-maybe-uninitialized)
  endif()
endfunction()
