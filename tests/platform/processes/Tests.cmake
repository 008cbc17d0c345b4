# The tests start a second process of the platform: the helper program
# platform-peer, built here.
add_executable(platform-peer ${dir}/peer/PlatformPeer.cpp)
target_link_libraries(platform-peer PRIVATE wavplatform)
add_dependencies(${name} platform-peer)
wavorel_path_definitions(${name} SOURCES ${dir}/Peer.cpp DEFINITIONS WAVOREL_PLATFORM_PEER="$<TARGET_FILE:platform-peer>")
