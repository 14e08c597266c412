# The same cross build for 32-bit Windows (i686), fully static.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KESMA_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
