# Wavorel's soft-AP resources (its worker dialog, tray menu and the AP sheet's
# pages) and the strings the AP link-status page shares with the station's.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SoftApXp.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/LinkStatus.rc)
# Golden driver traces of entering AP mode.
wavorel_path_definitions(${name} SOURCES ${dir}/ApWorkerBadInputXpTest.cpp ${dir}/ApWorkerXpTest.cpp
  DEFINITIONS SOFTAP_TEST_DATA="${dir}/data")
