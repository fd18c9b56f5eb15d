# Compiler warnings for every target of the project.
function(qen_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QEN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
