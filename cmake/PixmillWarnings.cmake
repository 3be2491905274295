# Warnings for every target of the project. They are errors only where the
# developer or CI asks (PIXMILL_WERROR, set by the development presets): a
# newer compiler that warns about something new must not stop a user's build.
option(PIXMILL_WERROR "Treat warnings as errors (the development and CI presets)" OFF)
function(pixmill_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${PIXMILL_WERROR}>:-Werror>)
endfunction()

# The library's arithmetic: floating point is never contracted into fused
# multiply-adds, and 32-bit x86 computes in SSE2 registers rather than the x87
# unit, so every build and every level rounds alike. Part of the results, not
# a tuning choice.
function(pixmill_arithmetic target scope)
  target_compile_options(${target} ${scope} -ffp-contract=off)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
    target_compile_options(${target} ${scope} -msse2 -mfpmath=sse)
  endif()
endfunction()
