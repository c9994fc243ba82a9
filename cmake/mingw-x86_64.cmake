# The same programs and their tests as 64-bit Windows programs, for the test
# layers: 64-bit Wine runs them natively where the machine cannot run 32-bit
# x86 code at full speed (see README).
set(veltrin_triple x86_64-w64-mingw32)
set(veltrin_processor AMD64)
# The posix thread model: GoogleTest needs std::mutex.
set(veltrin_threads posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
