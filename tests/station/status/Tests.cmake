# The pages' tests of the WavorelVista build (vista/) start the station worker
# with its host: the host library and the resources of the worker, the host
# and the pages.
if(name MATCHES "_vista$" AND TARGET station_host_vista)
  target_link_libraries(${name} PRIVATE station_host_vista)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/LinkStatus.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SiteSurvey.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/DetailView.rc)
endif()
