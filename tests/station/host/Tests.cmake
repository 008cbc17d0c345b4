# The host's tests start the station worker: its resources, the host's and its link page's.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SiteSurvey.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/LinkStatus.rc)
# The round trip drives the front end's site editor against the host's
# profile editor: the editor's templates and the generated skin.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SiteEditor.rc)
if(NOT TARGET skingen)
  add_subdirectory(${PROJECT_SOURCE_DIR}/apps/skin ${CMAKE_BINARY_DIR}/apps/skin)
endif()
target_link_libraries(${name} PRIVATE skingen)
