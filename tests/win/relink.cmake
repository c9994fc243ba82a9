# Links a program again from the objects of its build, into a folder of its
# own and in a later second than the build did, and compares the two files:
# neither the time nor the place of a link may go into a program, so that a
# download can be checked against a build of its commit byte for byte.
#   cmake -DTARGET=<target> -DPROGRAM=<its file> -DBUILD_DIR=<its build folder> -P relink.cmake
file(STRINGS ${BUILD_DIR}/CMakeFiles/${TARGET}.dir/link.txt commands)
list(GET commands -1 link)  # the steps before it make the objects' archive, which the build left
separate_arguments(link UNIX_COMMAND "${link}")
get_filename_component(name ${PROGRAM} NAME)
set(again ${BUILD_DIR}/linked-again)
file(MAKE_DIRECTORY ${again})
list(FIND link -o output)
math(EXPR output "${output} + 1")
list(REMOVE_AT link ${output})
list(INSERT link ${output} ${again}/${name})
list(TRANSFORM link REPLACE "^-Wl,--out-implib,.*" "-Wl,--out-implib,${again}/import.a")

# A link time would be in whole seconds.
file(TIMESTAMP ${PROGRAM} built "%s" UTC)
string(TIMESTAMP now "%s" UTC)
while(now LESS_EQUAL built)
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
  string(TIMESTAMP now "%s" UTC)
endwhile()

execute_process(COMMAND ${link} WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${name} does not link again")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${PROGRAM} ${again}/${name} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${name} linked again differs from the build's")
endif()
