# A second process on a test's platform root (tool/DriverTool.cpp), and the
# built program, for the tests that start real processes.
add_executable(sim_driver_tool ${dir}/tool/DriverTool.cpp)
target_link_libraries(sim_driver_tool PRIVATE wavplatform)
add_dependencies(${name} sim_driver_tool)
target_compile_definitions(${name} PRIVATE SIM_DRIVER_TOOL="$<TARGET_FILE:sim_driver_tool>")
add_dependencies(${name} WavorelVista)
target_compile_definitions(${name} PRIVATE WAVOREL_PROGRAM_FILE="$<TARGET_FILE:WavorelVista>")
