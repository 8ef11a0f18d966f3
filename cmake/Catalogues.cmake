# The message catalogues: every po/LANG.po compiled by msgfmt into
# locale/LANG.mo beside the program (and so in the installed data and the
# Windows zip). msgfmt --check refuses a catalogue whose formats or header
# are broken, so a broken translation stops the build, not the game.
find_program(VELLOXA_MSGFMT msgfmt REQUIRED)
file(GLOB VELLOXA_PO_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
set(VELLOXA_MO_FILES)
foreach(po ${VELLOXA_PO_FILES})
  get_filename_component(code ${po} NAME_WE)
  set(mo ${CMAKE_BINARY_DIR}/locale/${code}.mo)
  add_custom_command(
    OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/locale
    COMMAND ${VELLOXA_MSGFMT} --check -o ${mo} ${po}
    DEPENDS ${po}
    VERBATIM)
  list(APPEND VELLOXA_MO_FILES ${mo})
endforeach()
add_custom_target(velloxa_catalogues ALL DEPENDS ${VELLOXA_MO_FILES})
add_dependencies(velloxa velloxa_catalogues)
