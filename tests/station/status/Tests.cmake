# The pages are created on the programs' templates: the host's script and the
# pages' in one script (their string tables share blocks of 16 ids). The tests
# of the WavorelVista build (vista/) start the station worker with its host.
wavorel_add_resources(${name} ${dir}/data/StationPages.rc)
if(name MATCHES "_vista$" AND TARGET station_host_vista)
  target_link_libraries(${name} PRIVATE station_host_vista)
  wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
endif()
