# The keyboard test reads X key maps through the X11 module's keyboard, which
# is compiled in (the module's symbols are its own).
find_package(X11 REQUIRED)
target_include_directories(${name} PRIVATE ${X11_INCLUDE_DIR})
target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/platform/present/X11Keyboard.cpp)
target_link_libraries(${name} PRIVATE ${X11_LIBRARIES})
