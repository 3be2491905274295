# The library's sources: every .cpp in a family folder under src/, the Windows
# entry point only on Windows, and the vector kernels of every instruction-set
# level. frame/level.cpp holds those: it is compiled once per level, with that
# level's flags and namespace, on x86 only; everything else stays at the
# baseline, and the level is chosen at run time.
#
# pixmill_library_objects(OUT ROOT) sets OUT to the baseline sources and
# OUT_LEVELS to the level objects ($<TARGET_OBJECTS:...>, empty off x86); a
# library or program takes both.
function(pixmill_library_objects out_var root)
  file(GLOB sources CONFIGURE_DEPENDS ${root}/src/*/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/frame/level\\.cpp$")
  if(NOT WIN32)
    list(FILTER sources EXCLUDE REGEX "/dllmain\\.cpp$")
  endif()
  set(level_objects)
  set(gcc_avx512_quiet)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 seeds some of its own AVX-512 intrinsics with a deliberately
    # undefined vector and then reports it as uninitialised; the warnings
    # stay on everywhere else.
    set(gcc_avx512_quiet -Wno-uninitialized -Wno-maybe-uninitialized)
  endif()
  set(avx512_flags -mavx2 -mfma -mavx512f -mavx512bw -mavx512vl -mavx512vbmi ${gcc_avx512_quiet})
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86|x86)$")
    # One object library per level, from the one source.
    set(levels sse2 ssse3 avx2 avx512)
    set(vec_sse2 Sse2)
    set(vec_ssse3 Ssse3)
    set(vec_avx2 Avx2)
    set(vec_avx512 Avx512)
    set(flags_sse2 -msse2)
    set(flags_ssse3 -mssse3)
    set(flags_avx2 -mavx2 -mfma)
    set(flags_avx512 ${avx512_flags})
    foreach(level IN LISTS levels)
      set(target pixmill_level_${level})
      if(NOT TARGET ${target})
        add_library(${target} OBJECT ${root}/src/frame/level.cpp)
        target_include_directories(${target} PRIVATE ${root}/include ${root}/src)
        target_compile_definitions(${target} PRIVATE PIXMILL_LVL=lvl_${level} PIXMILL_LVL_VEC=${vec_${level}})
        target_compile_options(${target} PRIVATE ${flags_${level}})
        pixmill_warnings(${target})
        pixmill_arithmetic(${target} PRIVATE)
        set_target_properties(${target} PROPERTIES
          POSITION_INDEPENDENT_CODE ON
          CXX_VISIBILITY_PRESET hidden
          VISIBILITY_INLINES_HIDDEN ON
          INTERPROCEDURAL_OPTIMIZATION OFF)
      endif()
      list(APPEND level_objects $<TARGET_OBJECTS:${target}>)
    endforeach()
    set_source_files_properties(${root}/src/frame/kernels.cpp DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                                PROPERTIES COMPILE_DEFINITIONS PIXMILL_VECTOR_LEVELS=1)
    # A 32-bit build chooses at most AVX2 unless told that its AVX-512 code
    # has been run: a level no test has run in a build is not chosen in it.
    if(PIXMILL_32BIT_AVX512)
      set_source_files_properties(${root}/src/frame/cpu.cpp DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                                  PROPERTIES COMPILE_DEFINITIONS PIXMILL_32BIT_AVX512=1)
    endif()
  endif()
  set(${out_var} ${sources} PARENT_SCOPE)
  set(${out_var}_LEVELS ${level_objects} PARENT_SCOPE)
endfunction()
