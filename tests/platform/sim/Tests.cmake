# A second process on a test's platform root (tool/DriverTool.cpp), and the
# built program, for the tests that start real processes.
add_executable(sim_driver_tool ${dir}/tool/DriverTool.cpp)
target_link_libraries(sim_driver_tool PRIVATE wavplatform)
add_dependencies(${name} sim_driver_tool)
add_dependencies(${name} WavorelVista)
wavorel_path_definitions(${name} SOURCES ${dir}/ProcessTest.cpp
  DEFINITIONS SIM_DRIVER_TOOL="$<TARGET_FILE:sim_driver_tool>" WAVOREL_PROGRAM_FILE="$<TARGET_FILE:WavorelVista>")
