# The host's tests start the station worker: its resources and the host's
# with its pages' (one script: their string tables share blocks of 16 ids).
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/tests/station/status/data/StationPages.rc)
# The round trip drives the front end's site editor against the host's
# profile editor: the editor's templates and the generated skin.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SiteEditor.rc)
if(NOT TARGET skingen)
  add_subdirectory(${PROJECT_SOURCE_DIR}/apps/skin ${CMAKE_BINARY_DIR}/apps/skin)
endif()
target_link_libraries(${name} PRIVATE skingen)
