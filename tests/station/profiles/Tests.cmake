# The editor tests compare saved sections with the golden files of data/.
wavorel_path_definitions(${name} SOURCES ${dir}/Page8021XTest.cpp ${dir}/ProfileEditorTest.cpp
  DEFINITIONS EDITOR_TEST_DATA="${dir}/data")
# The programs' templates, icons and texts of the host and its pages in one
# script (their string tables share blocks of 16 ids).
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/tests/station/status/data/StationPages.rc)
# The dialogs are also shown on an X server (Xvfb) for their screenshots; a
# display test runs alone.
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_link_libraries(${name} PRIVATE ${X11_LIBRARIES} ${X11_XTest_LIB})
set(test_properties RUN_SERIAL TRUE)
