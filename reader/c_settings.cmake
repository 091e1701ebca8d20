# SPDX-License-Identifier: MIT
# How every C target of the reader is compiled: C99 without extensions,
# warnings on (errors under RUNEMILL_WERROR). Read by reader/CMakeLists.txt
# and, when the reader's directory is off, by runemill-cli's own build of
# runemill_font.c.
set(RUNEMILL_READER_WARNINGS -Wall -Wextra -pedantic)
if(RUNEMILL_WERROR)
  list(APPEND RUNEMILL_READER_WARNINGS -Werror)
endif()

function(runemill_reader_c_target target)
  set_target_properties(${target} PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON
                                             C_EXTENSIONS OFF)
  target_compile_options(${target} PRIVATE ${RUNEMILL_READER_WARNINGS})
endfunction()
