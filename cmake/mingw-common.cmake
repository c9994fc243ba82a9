# What both mingw-w64 toolchains share; the including file names the triple,
# the processor and the thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${veltrin_processor})
set(CMAKE_C_COMPILER ${veltrin_triple}-gcc-${veltrin_threads})
set(CMAKE_CXX_COMPILER ${veltrin_triple}-g++-${veltrin_threads})
set(CMAKE_RC_COMPILER ${veltrin_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${veltrin_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
