# Cross build for 64-bit Windows with mingw-w64 (posix threads), fully static. The 32-bit
# toolchain file sets the processor and the compilers' prefix before including this one.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT KESMA_MINGW_PREFIX)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(KESMA_MINGW_PREFIX x86_64-w64-mingw32)
endif()
set(CMAKE_C_COMPILER ${KESMA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESMA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KESMA_MINGW_PREFIX}-windres)
# What a direct call of the C compiler (the driver's link) adds to build for Windows.
set(KESMA_TARGET_FLAGS "")
set(CMAKE_FIND_ROOT_PATH /usr/${KESMA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No libstdc++, libgcc or winpthread DLLs: only system DLLs are imported. Unused code of the
# static runtime is dropped and symbols stripped, which keeps the programs small (the
# resident right-button program is under 100 KB instead of 2.5 MB).
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s")
# Tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
