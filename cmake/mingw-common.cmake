# Shared part of the MinGW-w64 toolchain files. The POSIX flavour is required: the win32 flavour
# lacks std::condition_variable, which GoogleTest needs.
set(CMAKE_C_COMPILER ${TUVO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TUVO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TUVO_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TUVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the program needs no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
