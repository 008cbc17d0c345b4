# The host's tests start the station worker: its resources and the host's.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
# The profile editor's templates, until the programs' script holds them.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/tests/station/profiles/data/EditorTest.rc)
