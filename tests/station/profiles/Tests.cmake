# The editor tests compare saved sections with the golden files of data/.
target_compile_definitions(${name} PRIVATE EDITOR_TEST_DATA="${dir}/data")
# The programs' templates, icons and texts of the host and its pages in one
# script (their string tables share blocks of 16 ids).
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/tests/station/status/data/StationPages.rc)
