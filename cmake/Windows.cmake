# The Windows program: Win32 window and GDI, SAPI, the screen-reader routes,
# DirectSound 8 and Windows files. The sound set comes from the build
# machine's generator (see the Makefile's windows target).

# Files and the start-up helpers serve the headless mode as well.
target_sources(velloxa_headless PRIVATE
  ${PROJECT_SOURCE_DIR}/src/platform/windows/windows_files.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/wide.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/system.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/windows_folder_lock.cpp)
target_link_libraries(velloxa_headless PUBLIC shell32)

# The screen reader's RPC interface: the game's client stubs, made by
# mingw-w64's widl with the binding handle implicit, as the interface
# declares it. Interpreted stubs (-Oif) need no compiler support for
# structured exceptions, which GCC lacks. The checks' stand-in reader makes
# its server stubs on its own (tests/windows/CMakeLists.txt).
enable_language(C)
find_program(VELLOXA_WIDL NAMES ${VELLOXA_MINGW_TRIPLE}-widl widl REQUIRED)
set(VELLOXA_IDL ${PROJECT_SOURCE_DIR}/src/platform/windows/nvda_controller.idl)
set(VELLOXA_RPC_DIR ${CMAKE_BINARY_DIR}/rpc)
add_custom_command(
  OUTPUT ${VELLOXA_RPC_DIR}/platform/windows/nvda_controller.h
         ${VELLOXA_RPC_DIR}/nvda_controller_c.c
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELLOXA_RPC_DIR}/platform/windows
  COMMAND ${VELLOXA_WIDL} -m64 -Oif -DCLIENT_BINDING_HANDLE=nvdaControllerBindingHandle
          -h -H ${VELLOXA_RPC_DIR}/platform/windows/nvda_controller.h
          -c -C ${VELLOXA_RPC_DIR}/nvda_controller_c.c ${VELLOXA_IDL}
  DEPENDS ${VELLOXA_IDL}
  COMMENT "Generating the screen reader's RPC stubs")
# Generated code: its warnings are not ours to fix.
set_source_files_properties(${VELLOXA_RPC_DIR}/nvda_controller_c.c PROPERTIES COMPILE_OPTIONS -w)
add_library(velloxa_rpc_common STATIC
  ${PROJECT_SOURCE_DIR}/src/platform/windows/rpc_memory.c
  ${PROJECT_SOURCE_DIR}/src/platform/windows/nvda_endpoint.cpp)
target_include_directories(velloxa_rpc_common PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(velloxa_rpc_common PUBLIC rpcrt4)
add_library(velloxa_rpc_client STATIC ${VELLOXA_RPC_DIR}/nvda_controller_c.c)
target_include_directories(velloxa_rpc_client PUBLIC ${VELLOXA_RPC_DIR})
target_link_libraries(velloxa_rpc_client PUBLIC velloxa_rpc_common)

file(GLOB VELLOXA_FRONTEND_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/platform/windows/*.cpp)
list(FILTER VELLOXA_FRONTEND_SOURCES EXCLUDE REGEX
     "/(windows_files|wide|system|nvda_endpoint|windows_folder_lock)\\.cpp$")
add_library(velloxa_frontends STATIC ${VELLOXA_FRONTEND_SOURCES})
target_link_libraries(velloxa_frontends
  PUBLIC velloxa_headless velloxa_core velloxa_rpc_client
         dsound dxguid ole32 oleaut32 uuid gdi32 user32)

# The icon, drawn from the project's picture at every size Windows asks for
# (the largest kept as PNG, as Windows wants it).
find_program(VELLOXA_RSVG rsvg-convert REQUIRED)
find_program(VELLOXA_ICOTOOL icotool REQUIRED)
set(VELLOXA_ICON ${CMAKE_BINARY_DIR}/packaging/velloxa.ico)
set(icon_pngs)
set(icon_arguments)
foreach(size 16 20 24 32 40 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/packaging/icon-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${VELLOXA_RSVG} -w ${size} -h ${size} -o ${png}
            ${PROJECT_SOURCE_DIR}/packaging/velloxa.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/velloxa.svg)
  list(APPEND icon_pngs ${png})
  if(size EQUAL 256)
    list(APPEND icon_arguments -r)
  endif()
  list(APPEND icon_arguments ${png})
endforeach()
add_custom_command(OUTPUT ${VELLOXA_ICON}
  COMMAND ${VELLOXA_ICOTOOL} -c -o ${VELLOXA_ICON} ${icon_arguments}
  DEPENDS ${icon_pngs}
  COMMENT "Drawing the program's icon")
add_custom_target(velloxa_icon DEPENDS ${VELLOXA_ICON})

# The version resource and manifest, from the one release version.
set(VELLOXA_RC_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
set(VELLOXA_RC_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(VELLOXA_MANIFEST ${CMAKE_BINARY_DIR}/packaging/velloxa.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/velloxa.manifest.in ${VELLOXA_MANIFEST} @ONLY)

# Gives program NAME its resources: the icon, the version and the manifest.
function(velloxa_windows_resources name description)
  set(VELLOXA_RC_NAME ${name})
  set(VELLOXA_RC_DESCRIPTION ${description})
  set(rc ${CMAKE_BINARY_DIR}/packaging/${name}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/velloxa.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${VELLOXA_ICON};${VELLOXA_MANIFEST}")
  target_sources(${name} PRIVATE ${rc})
  add_dependencies(${name} velloxa_icon)
endfunction()

# velloxa.exe is a Windows program: no console window from Explorer.
# velloxa-cli.exe, the same program for the console, waits and returns an
# exit code, as scripts and the checks under Wine need.
function(velloxa_windows_programs)
  set_target_properties(velloxa PROPERTIES WIN32_EXECUTABLE TRUE)
  velloxa_windows_resources(velloxa "Velloxa, a tile-battle card game")
  add_executable(velloxa-cli ${PROJECT_SOURCE_DIR}/src/main.cpp)
  target_link_libraries(velloxa-cli PRIVATE velloxa_frontends velloxa_headless velloxa_core)
  velloxa_windows_resources(velloxa-cli "Velloxa for the console")
endfunction()
