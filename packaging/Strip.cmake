# Runs after CPack installed the files and before it packs them: strips the
# executables as Debian does, leaving out the debugging symbols, the symbols
# no relocation needs, and the .comment and .note sections.
file(GLOB_RECURSE executables LIST_DIRECTORIES false
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(executable IN LISTS executables)
  execute_process(
    COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded
            "${executable}"
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot strip ${executable}")
  endif()
endforeach()
if(NOT executables)
  message(FATAL_ERROR "No executables to strip in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
