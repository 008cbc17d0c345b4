# The host's tests start the station worker: its resources and the host's
# with the detail view's (one script: they share string blocks).
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/tests/station/status/data/StationPages.rc)
