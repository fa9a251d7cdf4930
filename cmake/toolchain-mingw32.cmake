set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VEILO_MINGW_TRIPLE i686-w64-mingw32)
# The posix thread model gives std::thread and std::mutex (GoogleTest, Benchmark).
set(CMAKE_C_COMPILER ${VEILO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEILO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEILO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEILO_MINGW_TRIPLE} ${CMAKE_SOURCE_DIR}/.deps/i686)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# Floating point in SSE2 registers, as on x86-64: the x87 unit keeps intermediate results in
# 80 bits, so a fit, a scale or a colour conversion could round differently from the 64-bit
# build. Every x86 processor that runs a supported Windows has SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
