# Every language.txt the game once shipped, compiled in byte for byte, so
# that a copy a player never changed is recognised and retired: the English
# player's edition is a catalogue now. packaging/editions/ holds them as
# SYSTEM-N.txt, SYSTEM being linux or windows.
file(GLOB VELLOXA_EDITIONS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/editions/*.txt)
list(SORT VELLOXA_EDITIONS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELLOXA_EDITIONS})
set(VELLOXA_EDITION_ARRAYS "")
set(VELLOXA_EDITION_LISTS_linux "")
set(VELLOXA_EDITION_LISTS_windows "")
set(number 0)
foreach(edition ${VELLOXA_EDITIONS})
  get_filename_component(name ${edition} NAME_WE)
  string(REGEX MATCH "^(linux|windows)-[0-9]+$" known ${name})
  if(NOT known)
    message(FATAL_ERROR "${edition}: an edition is named linux-N.txt or windows-N.txt")
  endif()
  string(REGEX REPLACE "-.*" "" system ${name})
  file(READ ${edition} bytes HEX)
  string(REGEX REPLACE "(..)" "0x\\1," bytes "${bytes}")
  string(APPEND VELLOXA_EDITION_ARRAYS
         "// ${name}.txt\nconst unsigned char kEdition${number}[] = {${bytes}};\n")
  string(APPEND VELLOXA_EDITION_LISTS_${system} "as_text(kEdition${number}, sizeof kEdition${number}), ")
  math(EXPR number "${number} + 1")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/language_editions.cpp CONTENT
"// Made by cmake/LanguageEditions.cmake from packaging/editions/.
#include \"platform/shipped_language.h\"

namespace velloxa {

namespace {

std::string_view as_text(const unsigned char* bytes, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(bytes), size);
}

@VELLOXA_EDITION_ARRAYS@
}  // namespace

const std::vector<std::string_view>& shipped_language_editions(ShippedFor system) {
    static const std::vector<std::string_view> kLinux = {@VELLOXA_EDITION_LISTS_linux@};
    static const std::vector<std::string_view> kWindows = {@VELLOXA_EDITION_LISTS_windows@};
    return system == ShippedFor::windows_system ? kWindows : kLinux;
}

}  // namespace velloxa
" @ONLY)
target_sources(velloxa_headless PRIVATE ${CMAKE_BINARY_DIR}/generated/language_editions.cpp)
