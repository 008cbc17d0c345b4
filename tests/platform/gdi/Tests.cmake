# The GDI tests load images from a resource script compiled into the program.
wavorel_add_resources(${name} ${dir}/data/Gdi.rc)
