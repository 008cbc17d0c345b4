# The pages run inside Wavorel's host on the program's own resource script,
# with a worker object that takes their rescans and connections.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/Wavorel.rc)
