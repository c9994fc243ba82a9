# Build settings of the programs that ship and of the project's libraries they
# are made of: sized for download rather than speed (the programs spend their
# time in GDI, not in their own code), each function and datum in a section of
# its own so that the linker drops what nothing calls, and symbols stripped.
# Function-local statics go without locks: both programs run one thread.
# No run-time type information: nothing asks a type but a catch, which has its own.
# The test programs link the same libraries but keep their own link flags.
# One commit builds to the same bytes wherever and whenever it is built: no
# link time in the header (the header's checksum covers it), and no folder
# of the build in what the compiler writes down.
set(VELTRIN_SHIPPED_COMPILE_OPTIONS
    $<$<CONFIG:Release,MinSizeRel>:-Os> -ffunction-sections -fdata-sections -fno-threadsafe-statics -fno-rtti
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
set(VELTRIN_SHIPPED_LINK_OPTIONS -Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s> -Wl,--no-insert-timestamp)

# veltrin_shipped(program...): the settings above for the programs and every
# library of the project they link, directly or through another library.
function(veltrin_shipped)
  set(pending ${ARGN})
  set(seen)
  while(pending)
    list(POP_FRONT pending target)
    if(NOT TARGET ${target} OR target IN_LIST seen)
      continue()  # a system library, or one already done
    endif()
    list(APPEND seen ${target})
    get_target_property(imported ${target} IMPORTED)
    if(imported)
      continue()
    endif()
    target_compile_options(${target} PRIVATE ${VELTRIN_SHIPPED_COMPILE_OPTIONS})
    get_target_property(linked ${target} LINK_LIBRARIES)
    if(linked)
      list(APPEND pending ${linked})
    endif()
  endwhile()
  foreach(program IN LISTS ARGN)
    target_link_options(${program} PRIVATE ${VELTRIN_SHIPPED_LINK_OPTIONS})
  endforeach()
endfunction()
