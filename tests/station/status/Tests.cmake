# The site survey page's tests of the WavorelVista build (vista/) start the
# station worker with its host: their resources and the host's library.
if(name MATCHES "_vista$")
  target_link_libraries(${name} PRIVATE station_host_vista)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SiteSurvey.rc)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/DetailView.rc)
endif()
