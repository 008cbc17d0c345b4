# Wavorel's station pages are created on its templates: the pages' scripts in
# one script (their string tables share blocks of 16 ids).
wavorel_add_resources(${name} ${dir}/data/XpStationPages.rc)
# The WMM page reaches the worker's action queue, and through it the worker's
# dialog, whose XP members are not all built yet (the Native Wi-Fi handlers'
# replacements, the poll): its test joins the program once worker_xp links a
# whole CHideDlg.
get_target_property(xp_station_sources ${name} SOURCES)
list(FILTER xp_station_sources EXCLUDE REGEX "PageWMMDlgTest\\.cpp$")
set_target_properties(${name} PROPERTIES SOURCES "${xp_station_sources}")
