# The soft-AP tests show the worker's dialogs, menu and icons from the
# program's resource script; the WavorelVista tests also drive the tray on an
# X server (Xvfb) with XTest.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SoftAp.rc)
# Golden driver traces of apply-all.
target_compile_definitions(${name} PRIVATE SOFTAP_TEST_DATA="${dir}/data")
if(name MATCHES "_vista$")
  find_package(X11 REQUIRED)
  target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
  target_link_libraries(${name} PRIVATE ${X11_LIBRARIES} ${X11_XTest_LIB})
endif()
