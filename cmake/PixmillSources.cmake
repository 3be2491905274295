# The library's sources: every .cpp in a family folder under src/, the Windows
# entry point only on Windows. Files named *_ssse3.cpp, *_avx2.cpp and
# *_avx512.cpp hold row kernels for those instruction sets and get their flags
# here, on x86 only; everything else stays at the baseline, and the kernel
# tables choose at run time. On other processors those files compile to
# nothing.
function(pixmill_library_sources out_var root)
  file(GLOB sources CONFIGURE_DEPENDS ${root}/src/*/*.cpp)
  if(NOT WIN32)
    list(FILTER sources EXCLUDE REGEX "/dllmain\\.cpp$")
  endif()
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86|x86)$")
    foreach(source IN LISTS sources)
      if(source MATCHES "_ssse3\\.cpp$")
        set_source_files_properties(${source} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                                    PROPERTIES COMPILE_OPTIONS "-mssse3")
      elseif(source MATCHES "_avx2\\.cpp$")
        set_source_files_properties(${source} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                                    PROPERTIES COMPILE_OPTIONS "-mavx2;-mfma")
      elseif(source MATCHES "_avx512\\.cpp$")
        set(options -mavx2 -mfma -mavx512f -mavx512bw -mavx512vl -mavx512vbmi)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
          # GCC 12 seeds some of its own AVX-512 intrinsics with a deliberately
          # undefined vector and then reports it as uninitialised; the warnings
          # stay on everywhere else.
          list(APPEND options -Wno-uninitialized -Wno-maybe-uninitialized)
        endif()
        set_source_files_properties(${source} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                                    PROPERTIES COMPILE_OPTIONS "${options}")
      endif()
    endforeach()
  endif()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
