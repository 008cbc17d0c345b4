# The detail view's tests create it on the programs' templates: the tab
# container (166) of the host's script and the view's own, in one script.
wavorel_add_resources(${name} ${dir}/data/StationPages.rc)
