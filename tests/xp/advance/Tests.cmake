# The advanced page is created on its program's template, with the icons
# its buttons show.
wavorel_add_resources(${name} ${dir}/data/AdvancePage.rc)
