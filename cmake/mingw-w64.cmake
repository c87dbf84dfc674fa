# Cross-building for 64-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64, POSIX
# threads variant: std::thread and std::mutex work). Used by `make windows` with -DCW_WINDOWS=ON.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CW_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CW_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CW_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CW_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CW_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The host loads the add-in with no MinGW runtime beside it: libgcc, libstdc++ and winpthread
# are linked into every module.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
