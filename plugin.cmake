# The plug-in: the road-design system, loaded by the console as the host
# loads it. Its code is an object library so tests link it directly; the
# module adds the entry point, its only export.
file(GLOB TARVO_PLUGIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/frame/*.cpp
  ${CMAKE_SOURCE_DIR}/services/*.cpp
  ${CMAKE_SOURCE_DIR}/geometry/*.cpp
  ${CMAKE_SOURCE_DIR}/markings/*.cpp
  ${CMAKE_SOURCE_DIR}/signs/*.cpp
  ${CMAKE_SOURCE_DIR}/lights/*.cpp
  ${CMAKE_SOURCE_DIR}/islands/*.cpp)
list(FILTER TARVO_PLUGIN_SOURCES EXCLUDE REGEX "/frame/EntryPoint\\.cpp$")

add_library(tarvo_code OBJECT ${TARVO_PLUGIN_SOURCES})
target_include_directories(tarvo_code PUBLIC ${CMAKE_SOURCE_DIR}/frame/host ${CMAKE_SOURCE_DIR})
set_target_properties(tarvo_code PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

# The resources of resources/Tarvo.rc (dialog templates, strings, bitmaps),
# compiled into the plug-in: nothing reads the script at run time.
# TARVO_RC_INCLUDE lists more folders for the files the script names, as
# rc.exe's /I does.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TARVO_RC_INCLUDE "" CACHE STRING "More folders for the files that resources/Tarvo.rc names")
set(TARVO_RC_INCLUDE_ARGS)
foreach(folder IN LISTS TARVO_RC_INCLUDE)
  list(APPEND TARVO_RC_INCLUDE_ARGS --include ${folder})
endforeach()
set(TARVO_RESOURCES_SOURCE ${CMAKE_BINARY_DIR}/generated/TarvoResources.cpp)
add_custom_command(OUTPUT ${TARVO_RESOURCES_SOURCE}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/rc_compile.py
          ${CMAKE_SOURCE_DIR}/resources/Tarvo.rc ${TARVO_RESOURCES_SOURCE}
          --depfile ${CMAKE_BINARY_DIR}/generated/TarvoResources.d ${TARVO_RC_INCLUDE_ARGS}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/rc_compile.py ${CMAKE_SOURCE_DIR}/resources/Tarvo.rc
  DEPFILE ${CMAKE_BINARY_DIR}/generated/TarvoResources.d
  COMMENT "Resources of Tarvo.rc"
  VERBATIM)
target_sources(tarvo_code PRIVATE ${TARVO_RESOURCES_SOURCE})
# The images are long string literals, longer than the least a compiler
# must take (clang's -Wpedantic says so); both compilers take them.
set_source_files_properties(${TARVO_RESOURCES_SOURCE} PROPERTIES COMPILE_OPTIONS -Wno-overlength-strings)

add_library(tarvo_plugin MODULE ${CMAKE_SOURCE_DIR}/frame/EntryPoint.cpp)
target_link_libraries(tarvo_plugin PRIVATE tarvo_code zrx)
set_target_properties(tarvo_plugin PROPERTIES
  OUTPUT_NAME tarvo
  PREFIX ""
  SUFFIX ".zrx"
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON
  INSTALL_RPATH "$ORIGIN")
target_link_options(tarvo_plugin PRIVATE -Wl,--no-undefined)
install(TARGETS tarvo_plugin LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The island dialog's two sketches, drawn from the constructions themselves;
# scripts/sketches.sh writes them into resources/bitmaps.
add_executable(island_sketches ${CMAKE_SOURCE_DIR}/tools/IslandSketches.cpp)
target_link_libraries(island_sketches PRIVATE tarvo_code zrx_objects)

# The traffic-light catalogue's template drawings and icons, drawn from the
# symbols' tables; scripts/light_templates.sh writes them into resources/.
# It needs only the platform, so that it builds before the icons it makes.
set(TARVO_LIGHT_SYMBOL_SOURCES ${CMAKE_SOURCE_DIR}/tools/LightSymbols.cpp ${CMAKE_SOURCE_DIR}/tools/LightTemplateFiles.cpp)
add_executable(light_templates ${CMAKE_SOURCE_DIR}/tools/LightTemplates.cpp ${TARVO_LIGHT_SYMBOL_SOURCES})
target_include_directories(light_templates PRIVATE ${CMAKE_SOURCE_DIR}/frame/host ${CMAKE_SOURCE_DIR})
target_link_libraries(light_templates PRIVATE zrx_objects)

# The arrow dialog's catalogue icons, drawn from the arrows' outlines;
# scripts/icons.sh writes them into resources/icons.
add_executable(arrow_icons ${CMAKE_SOURCE_DIR}/tools/ArrowIcons.cpp)
target_link_libraries(arrow_icons PRIVATE tarvo_code zrx_objects)

# The line-marking dialog's icons, drawn from the catalogue and Tarvo.lin;
# scripts/sketches.sh writes them into resources/icons.
add_executable(line_icons ${CMAKE_SOURCE_DIR}/tools/LineIcons.cpp)
target_link_libraries(line_icons PRIVATE tarvo_code zrx_objects)
