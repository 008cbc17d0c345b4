# The host's tests start the station worker: its resources and the host's.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
