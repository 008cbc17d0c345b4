# The widget tests compile menus, toolbars, icons and dialogs into their
# program (the images are written at build time, see
# tests/platform/toolbar/Tests.cmake), and drive one widget page on an X
# server (Xvfb) with XTest.
wavorel_add_fixture_resources(${name} ${dir}/data/Widgets.rc ${dir}/data/WidgetIds.h)
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_link_libraries(${name} PRIVATE ${X11_LIBRARIES} ${X11_XTest_LIB})
