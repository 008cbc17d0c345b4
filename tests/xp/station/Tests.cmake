# Wavorel's station pages are created on its templates: the pages' scripts in
# one script (their string tables share blocks of 16 ids).
wavorel_add_resources(${name} ${dir}/data/XpStationPages.rc)
# The site survey and WPS pages inside Wavorel's host (hosted/): a program of
# their own on the program's resource script.
if(TARGET station_host_xp AND TARGET station_profiles_xp)
  wavorel_add_test_dir(${dir}/hosted test_xp_station_hosted station_host_xp test_support_xp)
endif()
