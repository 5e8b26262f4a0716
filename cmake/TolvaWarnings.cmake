# Our own targets build with all warnings as errors; third-party code does not go through this.
function(tolva_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
