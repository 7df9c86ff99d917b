# Cross build of the Windows program with MinGW-w64 (32-bit x86, POSIX thread flavour).
# It compiles here; the kernel of the build machines cannot run 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TUVO_MINGW_PREFIX i686-w64-mingw32)
# Double arithmetic on SSE2, not the x87 unit: x87 keeps extra precision and rounds twice, which
# moves some of the trail's scaled pixels and the lens's source size across an integer.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
