# The tests start a second process of the platform: the helper program
# platform-peer, built here.
add_executable(platform-peer ${dir}/peer/PlatformPeer.cpp)
target_link_libraries(platform-peer PRIVATE wavplatform)
add_dependencies(${name} platform-peer)
target_compile_definitions(${name} PRIVATE WAVOREL_PLATFORM_PEER="$<TARGET_FILE:platform-peer>")
