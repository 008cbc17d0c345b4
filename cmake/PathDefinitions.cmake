# Paths known when the build is configured (folders of the checkout, programs
# of the build) differ between checkouts. Given to a whole test program they
# would make every one of its sources compile differently in each checkout,
# and the compiler cache could not serve a fresh checkout at another path.
# They go to the sources that use them only:
#
#   wavorel_path_definitions(<target> SOURCES <files> DEFINITIONS NAME="value"...)
#
# A source compiled into several programs gets each program's own values.
function(wavorel_path_definitions target)
  cmake_parse_arguments(A "" "" "SOURCES;DEFINITIONS" ${ARGN})
  foreach(def IN LISTS A_DEFINITIONS)
    set_property(SOURCE ${A_SOURCES} APPEND PROPERTY COMPILE_DEFINITIONS
                 "$<$<STREQUAL:$<TARGET_PROPERTY:NAME>,${target}>:${def}>")
  endforeach()
endfunction()
