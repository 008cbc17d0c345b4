# Wavorel's soft-AP resources (its worker dialog, tray menu and the AP sheet's
# pages) and the strings the AP link-status page shares with the station's.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SoftApXp.rc)
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/LinkStatus.rc)
# Golden driver traces of entering AP mode.
target_compile_definitions(${name} PRIVATE SOFTAP_TEST_DATA="${dir}/data")
# The program's English texts (the company name of the AP's default SSID).
target_compile_definitions(${name} PRIVATE WAVOREL_LANGUAGE_DIR="${PROJECT_SOURCE_DIR}/apps/Language")
