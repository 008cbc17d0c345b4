# The control tests create their dialogs from a script compiled into the program.
wavorel_add_resources(${name} ${dir}/data/Skinvane.rc)
