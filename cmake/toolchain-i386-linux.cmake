# 32-bit x86 Linux build of the library and its tests. Exports are stdcall
# here as in the DLL, and descriptors have the Win32 layout. Test programs run
# natively where the host runs 32-bit code; elsewhere PIXMILL_I386_RUNNER
# names the emulator (tests/variants/run_i386.sh decides which).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(PIXMILL_I386_RUNNER "" CACHE STRING "Emulator command for 32-bit test programs; empty runs them natively")
if(PIXMILL_I386_RUNNER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PIXMILL_I386_RUNNER})
endif()
