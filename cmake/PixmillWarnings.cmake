# Warnings are errors in every target of the project, and floating point is
# never contracted into fused multiply-adds, so every build rounds alike.
function(pixmill_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -ffp-contract=off)
endfunction()
