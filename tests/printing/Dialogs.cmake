# The print dialogs and the progress dialog on the offscreen platform, over every table in a
# scratch directory, the English texts and a chart on a synthetic ephemeris. With KYR_GRAB_DIR
# set, the dialogs are also saved there as pictures.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(test_print_dialogs
    PBookDlgTest.cpp
    PIntDlgTest.cpp
    PWhlDlgTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/language/QtTestMain.cpp
    PrintProgressTest.cpp
)
target_include_directories(test_print_dialogs PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/names ${CMAKE_SOURCE_DIR}/tests/store
    ${CMAKE_SOURCE_DIR}/tests/chart)
target_link_libraries(test_print_dialogs PRIVATE
    kyr_print_dialogs kyr_names_search Qt6::Test GTest::gtest)
target_compile_definitions(test_print_dialogs PRIVATE KYR_PROGRAM_DIR="${KYR_PROGRAM_DIR}")
gtest_discover_tests(test_print_dialogs DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)
