# Fonts made at build time for a firmware project: runemill_add_font() runs
# runemill-cli convert into C source (an aligned const uint8_t array and its
# length) and adds it to a target.
#
#   include(path/to/RunemillFont.cmake)
#   runemill_add_font(firmware NAME ui_font KIND gb2312
#                     OPTIONS --from B0A1 --to B0FE --width 16 --height 16
#                     [DEPENDS ui-strings.txt] [CLI /path/to/runemill-cli])
#
# writes ui_font.c and ui_font.h under the build directory; the target's
# sources then use
#
#   #include "ui_font.h"   /* extern const uint8_t ui_font[]; extern const size_t ui_font_size; */
#
# KIND and OPTIONS are those of `runemill-cli convert` (the chip and ttf
# headers are not fonts and are refused). DEPENDS names files that OPTIONS
# read (--text, --font-file), so that editing them converts again. The program
# is CLI, else the cache variable RUNEMILL_CLI, else runemill-cli on the PATH;
# it runs on the build machine and needs no display.
include_guard(GLOBAL)

function(runemill_add_font target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "NAME;KIND;CLI" "OPTIONS;DEPENDS")
  if(NOT ARG_NAME OR NOT ARG_KIND)
    message(FATAL_ERROR "runemill_add_font(${target}): NAME and KIND are required")
  endif()
  set(cli "${ARG_CLI}")
  if(NOT cli)
    find_program(RUNEMILL_CLI runemill-cli)
    if(NOT RUNEMILL_CLI)
      message(FATAL_ERROR "runemill_add_font(${target}): runemill-cli not found; set RUNEMILL_CLI "
                          "to its path (it is built as cli/runemill-cli)")
    endif()
    set(cli "${RUNEMILL_CLI}")
  endif()

  set(dir "${CMAKE_CURRENT_BINARY_DIR}/runemill_fonts")
  set(source "${dir}/${ARG_NAME}.c")
  add_custom_command(
    OUTPUT "${source}" "${dir}/${ARG_NAME}.h"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${dir}"
    COMMAND "${cli}" convert ${ARG_KIND} -o "${source}" --symbol ${ARG_NAME} --quiet ${ARG_OPTIONS}
    DEPENDS "${cli}" ${ARG_DEPENDS}
    COMMENT "runemill-cli: font ${ARG_NAME} (${ARG_KIND})"
    VERBATIM)
  target_sources(${target} PRIVATE "${source}")
  target_include_directories(${target} PRIVATE "${dir}")
endfunction()
