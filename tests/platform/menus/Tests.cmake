# The menu tests load their menus from a resource script compiled into the program.
wavorel_add_resources(${name} ${dir}/data/Menus.rc)
