# Cross-compiles for 32-bit Windows with Debian's mingw-w64 and runs what it builds under Wine.
# Programs link the C and C++ runtimes statically, so the editor needs no DLL beyond the system's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZARVEX_MINGW_TRIPLE i686-w64-mingw32)
# The Win32 thread model: the POSIX one links Debian's winpthreads, which is built for Vista and
# imports GetTickCount64, so Windows XP would refuse to load the program. The editor runs on one
# thread; this model has no std::thread or std::mutex, so the tests start threads through the
# system and GoogleTest gets a Win32 event where it wants them (cmake/googletest-from-source).
set(CMAKE_C_COMPILER ${ZARVEX_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZARVEX_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZARVEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZARVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Each build folder gets its own Wine prefix, so builds never share Windows state.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh --prefix ${CMAKE_BINARY_DIR}/wine)

# find_package(GTest) finds GoogleTest built from source for this target.
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/googletest-from-source CACHE PATH "")
