# The editor tests compare saved sections with the golden files of data/.
target_compile_definitions(${name} PRIVATE EDITOR_TEST_DATA="${dir}/data")
# The tab container (166) and the host's icons come from the programs' script.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/StationHost.rc)
