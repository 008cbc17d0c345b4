# The front-end tests run the skinned message box from its dialog template.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/MessageBox.rc)
# The tab control tests create their pages from small templates; the tray
# opens the programs' tray menu.
wavorel_add_resources(${name} ${dir}/GxTabCtrlTest.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/TrayMenu.rc)
# The skin generator draws the skin folder the tests load.
if(NOT TARGET skingen)
  add_subdirectory(${PROJECT_SOURCE_DIR}/apps/skin ${CMAKE_BINARY_DIR}/apps/skin)
endif()
target_link_libraries(${name} PRIVATE skingen)
# The application and main-dialog tests: the main dialog's template, the
# generated skin, and the built program of the same build for the tests that
# start real processes.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/MainDialog.rc)
if(name MATCHES "_xp$")
  set(program Wavorel)
else()
  set(program WavorelVista)
endif()
if(TARGET ${program})
  add_dependencies(${name} ${program})
  wavorel_path_definitions(${name} SOURCES ${dir}/EndToEndTest.cpp DEFINITIONS WAVOREL_PROGRAM_FILE="$<TARGET_FILE:${program}>")
endif()
# The site editor's dialog and page templates.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SiteEditor.rc)
# The site editor is also driven on an X server (Xvfb) with XTest.
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_link_libraries(${name} PRIVATE ${X11_LIBRARIES} ${X11_XTest_LIB})
# The station tab control's five pages.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationTabPages.rc)
# WavorelVista's station mode end to end: the worker with its host and pages,
# their resources as the program compiles them.
if(name MATCHES "_vista$")
  target_link_libraries(${name} PRIVATE station_host_vista)
  # A station start on the demo's seeded root.
  wavorel_path_definitions(${name} SOURCES ${dir}/vista/StationEndToEndTest.cpp
    DEFINITIONS VISTA_STATION_ROOT_SCRIPT="${PROJECT_SOURCE_DIR}/tools/vista-station-root.sh")
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/tests/station/status/data/StationPages.rc)
else()
  # Wavorel's station mode starts its worker (without a host so far).
  target_link_libraries(${name} PRIVATE worker_xp)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
endif()
# The AP tab control's four pages.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/ApTabPages.rc)
# WavorelVista's soft-AP mode end to end: the AP worker's dialogs and pages.
if(name MATCHES "_vista$")
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SoftAp.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/LinkStatus.rc)
endif()
