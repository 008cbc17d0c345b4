# Wavorel end to end: the front end with both of its workers, the station
# worker's host and pages, on the program's own resource script; the fixture
# drives the application and main dialog as the front end's tests do.
target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/frontend/StationFrontEnd.cpp)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/Wavorel.rc)
if(NOT TARGET skingen)
  add_subdirectory(${PROJECT_SOURCE_DIR}/apps/skin ${CMAKE_BINARY_DIR}/apps/skin)
endif()
target_link_libraries(${name} PRIVATE skingen)
# The program INI and the English texts as the installer puts them beside
# the program.
target_compile_definitions(${name} PRIVATE WAVOREL_APPS_DIR="${PROJECT_SOURCE_DIR}/apps")
