# Every target of the project builds with the same warnings, as errors.
function(korvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wformat=2)
endfunction()
