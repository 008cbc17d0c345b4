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
# Each test above runs in a process of its own; this one runs them all in
# one, twice over in a fixed shuffled order, so a test that leaves process
# state behind (a worker's, the supplicant's, the front end's) fails the
# tests after it.
add_test(NAME XpEndToEnd.AllTestsInOneProcess
         COMMAND ${name} --gtest_repeat=2 --gtest_shuffle --gtest_random_seed=34
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(XpEndToEnd.AllTestsInOneProcess PROPERTIES TIMEOUT 300)
