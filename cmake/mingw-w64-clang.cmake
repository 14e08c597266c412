# The same cross build with Debian's clang and lld instead of the mingw gcc: a second
# compiler's warnings. It uses the mingw-w64 headers and the C++ library, libgcc and
# winpthread of the mingw gcc (posix threads), and links as statically as the gcc build.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${KESMA_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${KESMA_MINGW_PREFIX})
# The mingw gcc's own folder (…/gcc/x86_64-w64-mingw32/<version>-posix) holds libstdc++,
# libgcc and their headers; clang does not find them by itself.
execute_process(COMMAND ${KESMA_MINGW_PREFIX}-gcc-posix -print-libgcc-file-name
                OUTPUT_VARIABLE KESMA_MINGW_GCC_LIB OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(KESMA_MINGW_GCC_DIR ${KESMA_MINGW_GCC_LIB} DIRECTORY)
string(APPEND CMAKE_CXX_FLAGS_INIT " -isystem ${KESMA_MINGW_GCC_DIR}/include/c++"
       " -isystem ${KESMA_MINGW_GCC_DIR}/include/c++/${KESMA_MINGW_PREFIX}")
set(KESMA_TARGET_FLAGS --target=${KESMA_MINGW_PREFIX} -fuse-ld=lld -L${KESMA_MINGW_GCC_DIR})
# libgcc's emulated thread-local storage needs winpthread, which the gcc driver adds itself.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -fuse-ld=lld -L${KESMA_MINGW_GCC_DIR} -lpthread")
