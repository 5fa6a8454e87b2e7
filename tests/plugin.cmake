# Tests of the plug-in's code (frame/, services/) and of the console end to end.

file(GLOB FRAME_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/frame/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/geometry/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/services/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/markings/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/signs/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/lights/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/islands/*.cpp)
add_executable(frame_tests ${FRAME_TESTS} support/TestDrawing.cpp support/DrawingContents.cpp ${TARVO_LIGHT_SYMBOL_SOURCES})
target_include_directories(frame_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(frame_tests PRIVATE tarvo_code zrx_objects GTest::gtest GTest::gtest_main)
gtest_discover_tests(frame_tests DISCOVERY_TIMEOUT 60)
# The console writes the drawing-settings record that the plug-in reads:
# its writer is tested against the plug-in's reader.
target_sources(frame_tests PRIVATE ${CMAKE_SOURCE_DIR}/console/SettingsRecord.cpp
  ${CMAKE_SOURCE_DIR}/console/InstallationServices.cpp)
target_compile_definitions(frame_tests PRIVATE
  TARVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TARVO_TEST_TMP="${CMAKE_BINARY_DIR}/test-tmp"
  TARVO_PYTHON="/usr/bin/python3")

# A small application for the console tests: commands that ask for each
# kind of input, and some that misbehave on purpose.
add_library(tarvo_test_plugin MODULE console/test_plugin.cpp)
target_link_libraries(tarvo_test_plugin PRIVATE zrx)
set_target_properties(tarvo_test_plugin PROPERTIES
  OUTPUT_NAME tarvo_test PREFIX "" SUFFIX ".zrx"
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

file(GLOB CONSOLE_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/console/*.cpp)
list(FILTER CONSOLE_TESTS EXCLUDE REGEX "/test_plugin\\.cpp$")
add_executable(console_tests ${CONSOLE_TESTS})
target_include_directories(console_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(console_tests PRIVATE GTest::gtest GTest::gtest_main)
add_dependencies(console_tests tarvo tarvo_plugin tarvo_test_plugin)
target_compile_definitions(console_tests PRIVATE
  TARVO_EXE="$<TARGET_FILE:tarvo>"
  TARVO_PLUGIN="$<TARGET_FILE:tarvo_plugin>"
  TARVO_TEST_PLUGIN="$<TARGET_FILE:tarvo_test_plugin>"
  TARVO_TEST_TMP="${CMAKE_BINARY_DIR}/test-tmp"
  TARVO_PYTHON="/usr/bin/python3"
  TARVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(console_tests DISCOVERY_TIMEOUT 60)

# The resource compiler that makes the plug-in's dialogs, strings and images.
add_test(NAME rc_compile COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tools/rc_compile_test.py)

# The modules define no vtable, type information or allocator of a host
# class: objects they made outlive them in the drawing.
add_test(NAME host_code_in_modules
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tools/host_code_test.py ${CMAKE_SOURCE_DIR}/frame/host
          $<TARGET_FILE:tarvo_plugin> $<TARGET_FILE:tarvo_test_plugin>)

# Double markings along a surveyed road edge against shapely's offset.
add_test(NAME line_marking_offsets
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/markings/offset_check.py $<TARGET_FILE:tarvo>)

# The console's bill of quantities from contents made by hand.
add_executable(report_tests console/report/BillOfQuantitiesTest.cpp ${CMAKE_SOURCE_DIR}/console/BillOfQuantities.cpp
  ${CMAKE_SOURCE_DIR}/console/Quantity.cpp ${CMAKE_SOURCE_DIR}/console/ReportFormats.cpp)
target_include_directories(report_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(report_tests PRIVATE GTest::gtest GTest::gtest_main)
gtest_discover_tests(report_tests DISCOVERY_TIMEOUT 60)

# The seventeen line markings side by side along an S-bend, checked in the
# drawing, with a picture of them left in the build tree to look at.
add_test(NAME line_markings_seventeen
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/markings/seventeen_markings.py $<TARGET_FILE:tarvo>
          ${CMAKE_BINARY_DIR}/test-tmp/seventeen_markings)
