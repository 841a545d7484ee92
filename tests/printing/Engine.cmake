# The line breaker and the chapter titles, without windows; the English texts come from the
# program directory.
add_executable(test_print_core LineBreakerTest.cpp ChapterTitleTest.cpp)
target_link_libraries(test_print_core PRIVATE kyr_print_core GTest::gtest GTest::gtest_main)
target_compile_definitions(test_print_core PRIVATE KYR_PROGRAM_DIR="${KYR_PROGRAM_DIR}")
gtest_discover_tests(test_print_core DISCOVERY_TIMEOUT 60)

# The engine on A4 pages: a PDF printer for the measures, the range and the test page, page
# images for what lands where; the page dialog on the offscreen platform. The test page and a
# flowed text are left as PDF files in the build directory for a look.
add_executable(test_print_engine
    PrintFlowTest.cpp PrintLayoutTest.cpp ${CMAKE_SOURCE_DIR}/tests/language/QtTestMain.cpp TestPageTest.cpp)
target_include_directories(test_print_engine PRIVATE ${CMAKE_SOURCE_DIR}/tests/store)
target_link_libraries(test_print_engine PRIVATE kyr_print_engine GTest::gtest)
target_compile_definitions(test_print_engine PRIVATE
    KYR_PROGRAM_DIR="${KYR_PROGRAM_DIR}"
    KYR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
gtest_discover_tests(test_print_engine DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)
