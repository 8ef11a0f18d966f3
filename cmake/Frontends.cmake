# Window, terminal, real sound and speech, and the generated sound set.

find_package(PkgConfig REQUIRED)
pkg_check_modules(VELLOXA_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(VELLOXA_SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(VELLOXA_SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(VELLOXA_ESPEAK REQUIRED IMPORTED_TARGET espeak-ng)
find_package(Threads REQUIRED)
# BrlAPI (BRLTTY's client library) ships no pkg-config file.
find_path(VELLOXA_BRLAPI_INCLUDE brlapi.h REQUIRED)
find_library(VELLOXA_BRLAPI_LIBRARY brlapi REQUIRED)

file(GLOB VELLOXA_FRONTEND_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/platform/sdl/*.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/braille/*.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/speech/*.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/terminal/*.cpp)
add_library(velloxa_frontends STATIC ${VELLOXA_FRONTEND_SOURCES} ${VELLOXA_SESSION_SOURCES})
target_link_libraries(velloxa_frontends
  PUBLIC velloxa_headless velloxa_core
         PkgConfig::VELLOXA_SDL2 PkgConfig::VELLOXA_SDL2_MIXER PkgConfig::VELLOXA_SDL2_TTF
         PkgConfig::VELLOXA_ESPEAK Threads::Threads
         ${VELLOXA_BRLAPI_LIBRARY})
target_include_directories(velloxa_frontends PRIVATE ${VELLOXA_BRLAPI_INCLUDE})
# The window draws with this font; a missing font only loses the texts.
target_compile_definitions(velloxa_frontends PRIVATE
  VELLOXA_FONT="/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")

# The sound set is synthesised at build time into sounds/ beside the program.
# The tile sounds follow the catalogue, so a new catalogue regenerates them.
# The synthesis is a library of its own, so tests can measure the set.
add_library(velloxa_sound_synth STATIC
  ${PROJECT_SOURCE_DIR}/src/soundgen/synth.cpp
  ${PROJECT_SOURCE_DIR}/src/soundgen/loudness.cpp)
target_link_libraries(velloxa_sound_synth PUBLIC velloxa_cards)
add_executable(velloxa_soundgen ${PROJECT_SOURCE_DIR}/src/soundgen/main.cpp)
target_link_libraries(velloxa_soundgen PRIVATE velloxa_sound_synth)
set(VELLOXA_SOUNDS_STAMP ${CMAKE_BINARY_DIR}/sounds/.generated)
add_custom_command(
  OUTPUT ${VELLOXA_SOUNDS_STAMP}
  COMMAND velloxa_soundgen ${CMAKE_BINARY_DIR}/sounds
  COMMAND ${CMAKE_COMMAND} -E touch ${VELLOXA_SOUNDS_STAMP}
  DEPENDS velloxa_soundgen
  COMMENT "Synthesising the sound set"
  VERBATIM)
add_custom_target(velloxa_sounds ALL DEPENDS ${VELLOXA_SOUNDS_STAMP})
add_dependencies(velloxa_frontends velloxa_sounds)

# Helper of tests/scripts/desktop_*.sh, built beside the program.
pkg_check_modules(VELLOXA_X11 IMPORTED_TARGET x11)
if(VELLOXA_X11_FOUND)
  add_executable(velloxa_desktop_probe ${PROJECT_SOURCE_DIR}/tests/scripts/desktop_probe.cpp)
  target_link_libraries(velloxa_desktop_probe PRIVATE PkgConfig::VELLOXA_X11)
  add_dependencies(velloxa_frontends velloxa_desktop_probe)
endif()

# Helper of tests/scripts/last_saves.sh: a slow (or hung, or failing) sync
# of the saves, loaded into the program with LD_PRELOAD.
add_library(velloxa_slow_fsync MODULE ${PROJECT_SOURCE_DIR}/tests/scripts/slow_fsync.cpp)
set_target_properties(velloxa_slow_fsync PROPERTIES PREFIX "")
target_link_libraries(velloxa_slow_fsync PRIVATE ${CMAKE_DL_LIBS})
add_dependencies(velloxa_frontends velloxa_slow_fsync)
