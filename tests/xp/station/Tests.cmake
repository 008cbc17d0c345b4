# Wavorel's station pages are created on its templates: the pages' scripts in
# one script (their string tables share blocks of 16 ids).
wavorel_add_resources(${name} ${dir}/data/XpStationPages.rc)
