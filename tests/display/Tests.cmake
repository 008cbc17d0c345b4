# The display tests: the programs and the skinned controls on an X server
# (Xvfb) driven with XTest; screenshots go beside the test program.
wavorel_add_resources(${name} ${dir}/data/Display.rc)
find_package(PNG REQUIRED)
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_link_libraries(${name} PRIVATE PNG::PNG ${X11_LIBRARIES} ${X11_XTest_LIB} ${X11_Xfixes_LIB})
add_dependencies(${name} WavorelVista)
wavorel_path_definitions(${name} SOURCES ${dir}/ProgramTest.cpp DEFINITIONS WAVOREL_VISTA_PROGRAM="$<TARGET_FILE:WavorelVista>")
wavorel_path_definitions(${name} SOURCES ${dir}/ProgramTest.cpp ${dir}/SkinnedFormTest.cpp
  DEFINITIONS DISPLAY_SCREENSHOT_DIR="${CMAKE_CURRENT_BINARY_DIR}/screenshots")
# The programs they start on a display of their own were seen to stall while
# the whole suite ran beside them: they run alone.
set(test_properties RUN_SERIAL TRUE)
