# Windows: the window is a GUI program (no console), and the programs link a
# static Qt when built by windows/build.sh. Then they take the C and C++
# runtimes in statically too (no DLLs beside the .exe). A static Qt links only
# the default platform plugin (windows) into a program; the command line and
# the tests can also be started with -platform offscreen or minimal, so those
# come along.
set_target_properties(runemill PROPERTIES WIN32_EXECUTABLE ON)

get_target_property(_runemill_qt_type Qt5::Core TYPE)
if(_runemill_qt_type STREQUAL "STATIC_LIBRARY")
  if(MINGW)
    target_link_options(runemill PRIVATE -static)
  endif()
  set(_runemill_headless_programs)
  if(TARGET runemill-cli)
    list(APPEND _runemill_headless_programs runemill-cli)
  endif()
  if(RUNEMILL_BUILD_TESTS)
    get_property(_runemill_tests DIRECTORY tests PROPERTY BUILDSYSTEM_TARGETS)
    foreach(_target IN LISTS _runemill_tests)
      get_target_property(_type ${_target} TYPE)
      if(_type STREQUAL "EXECUTABLE")
        list(APPEND _runemill_headless_programs ${_target})
      endif()
    endforeach()
  endif()
  foreach(_target IN LISTS _runemill_headless_programs)
    if(MINGW)
      target_link_options(${_target} PRIVATE -static)
    endif()
    qt5_import_plugins(${_target}
      INCLUDE Qt5::QOffscreenIntegrationPlugin Qt5::QMinimalIntegrationPlugin)
  endforeach()
endif()
