# The page and the dialog on Wavorel's templates; the fixture drives the
# supplicant layer's machine.
wavorel_add_resources(${name} ${dir}/data/XpProfilePages.rc)
target_link_libraries(${name} PRIVATE supplicant_xp)
