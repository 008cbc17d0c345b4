# The paint tests read PNG files back and drive an X server (Xvfb) with XTest.
find_package(PNG REQUIRED)
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_link_libraries(${name} PRIVATE PNG::PNG ${X11_LIBRARIES} ${X11_XTest_LIB})
