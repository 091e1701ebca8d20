# Run by CPack once the programs are in its staging folder (CPACK_PRE_BUILD_SCRIPTS):
# drops the compiler's .comment and the .note sections as Debian's own packages do.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_STRIP_PROGRAM} --remove-section=.comment --remove-section=.note ${program}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip of ${program} failed")
  endif()
endforeach()
