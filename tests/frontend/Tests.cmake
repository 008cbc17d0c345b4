# The front-end tests run the skinned message box from its dialog template.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/MessageBox.rc)
# The tab control tests create their pages from small templates; the tray
# opens the programs' tray menu.
wavorel_add_resources(${name} ${CMAKE_CURRENT_SOURCE_DIR}/frontend/GxTabCtrlTest.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/TrayMenu.rc)
# The skin generator draws the skin folder the tests load.
if(NOT TARGET skingen)
  add_subdirectory(${PROJECT_SOURCE_DIR}/apps/skin ${CMAKE_BINARY_DIR}/apps/skin)
endif()
target_link_libraries(${name} PRIVATE skingen)
