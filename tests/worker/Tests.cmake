# The worker's tests show the adapter choice dialog from the programs' resource script.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SelCard.rc)
wavorel_add_resources(${name} ${dir}/data/WorkerTest.rc)
