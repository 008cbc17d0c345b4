# The two programs share one source tree. A subsystem whose code differs
# between them is compiled twice, as <name>_vista (WAVOREL_BUILD_XP=0) and
# <name>_xp (WAVOREL_BUILD_XP=1):
#
#   wavorel_add_build_library(<name>
#     SOURCES <files compiled in both builds>
#     VISTA_SOURCES <files only the Vista build compiles>
#     XP_SOURCES <files only the XP build compiles (the xp/ replacements)>
#     LIBS <libraries both builds link; a name ending in _BUILD links that
#           library's variant of the same build, e.g. worker_BUILD>)
#
# Code reads the build through the constant WAVOREL_BUILD_XP, never through
# #ifdef inside a function body.
function(wavorel_build_libs out build)
  set(libs)
  foreach(l ${ARGN})
    string(REGEX REPLACE "_BUILD$" "_${build}" l ${l})
    list(APPEND libs ${l})
  endforeach()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

function(wavorel_add_build_library name)
  cmake_parse_arguments(A "" "" "SOURCES;VISTA_SOURCES;XP_SOURCES;LIBS" ${ARGN})
  foreach(build vista xp)
    if(build STREQUAL "xp")
      set(xp 1)
      set(only ${A_XP_SOURCES})
    else()
      set(xp 0)
      set(only ${A_VISTA_SOURCES})
    endif()
    add_library(${name}_${build} STATIC ${A_SOURCES} ${only})
    target_compile_definitions(${name}_${build} PUBLIC WAVOREL_BUILD_XP=${xp})
    wavorel_build_libs(libs ${build} ${A_LIBS})
    target_link_libraries(${name}_${build} PUBLIC wavplatform ${libs})
  endforeach()
endfunction()

