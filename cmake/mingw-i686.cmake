# The shipped programs: 32-bit x86 Windows programs, cross-compiled with mingw-w64.
set(veltrin_triple i686-w64-mingw32)
set(veltrin_processor x86)
# The win32 thread model: the programs run one thread, and the posix model
# would link a threads library into them for nothing.
set(veltrin_threads win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
