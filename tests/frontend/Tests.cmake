# The front-end tests run the skinned message box from its dialog template.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/MessageBox.rc)
# The tab control tests create their pages from small templates; the tray
# opens the programs' tray menu.
wavorel_add_resources(${name} ${CMAKE_CURRENT_SOURCE_DIR}/frontend/GxTabCtrlTest.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/TrayMenu.rc)
endif()
if(TARGET ${program})
  add_dependencies(${name} ${program})
  target_compile_definitions(${name} PRIVATE WAVOREL_PROGRAM_FILE="$<TARGET_FILE:${program}>")
endif()
