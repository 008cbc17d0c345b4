# The soft-AP tests show the worker's dialogs, menu and icons from the
# program's resource script.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SoftAp.rc)
# The strings the AP link-status page shares with the station's link page.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/LinkStatus.rc)
# Golden driver traces of apply-all.
wavorel_path_definitions(${name} SOURCES ${dir}/vista/ApApplyAllTest.cpp DEFINITIONS SOFTAP_TEST_DATA="${dir}/data")
# WavorelVista's version information (the About page reads the program's own).
if(name MATCHES "_vista$")
  wavorel_add_resources(${name} ${dir}/data/ProgramVersion.rc)
endif()
