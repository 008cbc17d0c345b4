# The worker's tests show the adapter choice dialog from the programs' resource script.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/SelCard.rc)
wavorel_add_resources(${name} ${dir}/data/WorkerTest.rc)
# Golden documents and other files the tests read; the WLAN profile tests parse
# documents with libxml2.
wavorel_path_definitions(${name} SOURCES ${dir}/vista/WlanProfileXmlTest.cpp DEFINITIONS WORKER_TEST_DATA="${dir}/data")
find_package(LibXml2 REQUIRED)
target_link_libraries(${name} PRIVATE LibXml2::LibXml2)
# The station worker's dialog, menus and texts.
wavorel_add_resources(${name} ${PROJECT_SOURCE_DIR}/apps/resources/HideDlg.rc)
