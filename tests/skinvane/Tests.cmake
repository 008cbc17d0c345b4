# The control tests create their dialogs from a script compiled into the program.
wavorel_add_resources(${name} ${dir}/data/Skinvane.rc)
# The screenshot test writes its picture beside the test program.
wavorel_path_definitions(${name} SOURCES ${dir}/SkinScreenshotTest.cpp
  DEFINITIONS SKINVANE_SCREENSHOT_DIR="${CMAKE_CURRENT_BINARY_DIR}/screenshots")
