# The paint tests read PNG files back and drive an X server (Xvfb) with XTest.
# The X11 canvas is compiled in (it is part of the X11 module, whose symbols
# are its own).
find_package(PNG REQUIRED)
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/platform/present/X11Canvas.cpp)
target_link_libraries(${name} PRIVATE PNG::PNG ${X11_LIBRARIES} ${X11_XTest_LIB} ${X11_Xext_LIB})
