# The font tests create a dialog from a script compiled into the program.
wavorel_add_resources(${name} ${dir}/data/FontDialogs.rc)
