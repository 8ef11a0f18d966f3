# The Windows program: Win32 window and GDI, SAPI, the screen-reader routes,
# DirectSound 8 and Windows files. The sound set comes from the build
# machine's generator (see the Makefile's windows target).

# Files and the start-up helpers serve the headless mode as well.
target_sources(velloxa_headless PRIVATE
  ${PROJECT_SOURCE_DIR}/src/platform/windows/windows_files.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/wide.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/system.cpp)
target_link_libraries(velloxa_headless PUBLIC shell32)

file(GLOB VELLOXA_FRONTEND_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/platform/windows/*.cpp)
list(FILTER VELLOXA_FRONTEND_SOURCES EXCLUDE REGEX "/(windows_files|wide|system)\\.cpp$")
add_library(velloxa_frontends STATIC ${VELLOXA_FRONTEND_SOURCES})
target_link_libraries(velloxa_frontends
  PUBLIC velloxa_headless velloxa_core dsound dxguid ole32 oleaut32 uuid gdi32 user32)
