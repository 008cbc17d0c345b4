# The editor tests create the profile editor and its pages from their own
# templates (data/EditorTest.rc) and compare saved sections with the golden
# files of data/.
wavorel_add_resources(${name} ${dir}/data/EditorTest.rc)
target_compile_definitions(${name} PRIVATE EDITOR_TEST_DATA="${dir}/data")
# The tab container (166) and the host's icons come from the programs' script.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
