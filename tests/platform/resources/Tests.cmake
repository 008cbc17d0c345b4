# The resource tests compile two scripts into their program (the program's own
# resources and a resource module) and run wavrc on scripts they write.
wavorel_add_resources(${name} ${dir}/data/Test.rc)
wavorel_add_resources(${name} ${dir}/data/Module.rc "ResStrings.dll")
wavorel_path_definitions(${name} SOURCES ${dir}/RcCompilerTest.cpp DEFINITIONS WAVRC_PATH="$<TARGET_FILE:wavrc>")
wavorel_path_definitions(${name} SOURCES ${dir}/RcCompilerTest.cpp ${dir}/ResourceTestData.cpp
  DEFINITIONS RESOURCE_DATA_DIR="${dir}/data")
add_dependencies(${name} wavrc)
