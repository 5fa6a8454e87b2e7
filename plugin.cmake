# The plug-in: the road-design system, loaded by the console as the host
# loads it. Its code is an object library so tests link it directly; the
# module adds the entry point, its only export.
file(GLOB TARVO_PLUGIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/frame/*.cpp
  ${CMAKE_SOURCE_DIR}/services/*.cpp
  ${CMAKE_SOURCE_DIR}/geometry/*.cpp)
list(FILTER TARVO_PLUGIN_SOURCES EXCLUDE REGEX "/frame/EntryPoint\\.cpp$")

add_library(tarvo_code OBJECT ${TARVO_PLUGIN_SOURCES})
target_include_directories(tarvo_code PUBLIC ${CMAKE_SOURCE_DIR}/frame/host ${CMAKE_SOURCE_DIR})
set_target_properties(tarvo_code PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

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
