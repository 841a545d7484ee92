# The print jobs printed to PDF on a fixed chart over the synthetic ephemeris, on the offscreen
# platform; pdftotext, when installed, reads the pages back.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
add_executable(test_print_jobs PrintJobsTest.cpp ${CMAKE_SOURCE_DIR}/tests/language/QtTestMain.cpp)
target_include_directories(test_print_jobs PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/chart ${CMAKE_SOURCE_DIR}/tests/store
    ${CMAKE_SOURCE_DIR}/tests/interpretation)
target_link_libraries(test_print_jobs PRIVATE kyr_print_jobs GTest::gtest)
target_compile_definitions(test_print_jobs PRIVATE KYR_PROGRAM_DIR="${KYR_PROGRAM_DIR}")
if(TARGET kyr_symbol_font)
    add_dependencies(test_print_jobs kyr_symbol_font)
endif()
gtest_discover_tests(test_print_jobs DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 300)

# A whole interpretation of the delivered data, left as real-interpretation.pdf for a look.
add_executable(test_print_real_chart
    PrintRealChartTest.cpp ${CMAKE_SOURCE_DIR}/tests/language/QtTestMain.cpp)
target_link_libraries(test_print_real_chart PRIVATE kyr_print_jobs kyr_interp_store GTest::gtest)
target_compile_definitions(test_print_real_chart PRIVATE
    KYR_PROGRAM_DIR="${KYR_PROGRAM_DIR}"
    KYR_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}")
foreach(data_target delivered_data ephemeris_file kyr_symbol_font)
    if(TARGET ${data_target})
        add_dependencies(test_print_real_chart ${data_target})
    endif()
endforeach()
gtest_discover_tests(test_print_real_chart DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 300)
