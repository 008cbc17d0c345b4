# The host is made on Wavorel's own resource script (its templates, strings
# and the buttons' pictures).
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/Wavorel.rc)
