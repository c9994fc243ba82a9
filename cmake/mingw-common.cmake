# What both mingw-w64 toolchains share; the including file names the triple
# and the processor. The -posix thread model is needed for std::mutex, which
# GoogleTest uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${veltrin_processor})
set(CMAKE_C_COMPILER ${veltrin_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${veltrin_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${veltrin_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${veltrin_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
