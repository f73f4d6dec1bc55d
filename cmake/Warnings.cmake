# Every target of the project compiles clean with these warnings.
function(lk63_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
