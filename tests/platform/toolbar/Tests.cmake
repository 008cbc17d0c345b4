# The toolbar tests compile toolbars whose bitmaps are written at build time
# (fixtures/FixtureImages.cpp), so no image file is kept in the sources.
#
# wavorel_add_fixture_resources(target script [files...]) copies the script
# and the files it includes beside the images written for `target` and
# compiles it into the target; the widget tests use it too.
if(NOT TARGET wavorel_fixture_images)
  add_executable(wavorel_fixture_images ${dir}/fixtures/FixtureImages.cpp)
endif()
function(wavorel_add_fixture_resources target script)
  get_filename_component(base ${script} NAME)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}_fixtures)
  set(copies ${folder}/${base})
  set(copy_commands COMMAND ${CMAKE_COMMAND} -E copy ${script} ${folder}/${base})
  foreach(extra ${ARGN})
    get_filename_component(extra_name ${extra} NAME)
    list(APPEND copies ${folder}/${extra_name})
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy ${extra} ${folder}/${extra_name})
  endforeach()
  add_custom_command(
    OUTPUT ${copies} ${folder}/toolbar16.bmp ${folder}/toolbar24.bmp ${folder}/red.ico ${folder}/blue.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND wavorel_fixture_images ${folder}
    ${copy_commands}
    DEPENDS wavorel_fixture_images ${script} ${ARGN}
    COMMENT "Writing the fixture images of ${target}"
    VERBATIM)
  wavorel_add_resources(${target} ${folder}/${base})
endfunction()
wavorel_add_fixture_resources(${name} ${dir}/data/ToolBar.rc ${dir}/data/ToolBarIds.h)
