# The print jobs: the interpretation with its wheel, symbol and contents pages, the wheel page
# alone, and the book excerpts, on the print engine.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
add_library(kyr_print_jobs STATIC
    BookExcerptJob.cpp
    PrintContentsPage.cpp
    PrintInterpretationBody.cpp
    PrintInterpretationJob.cpp
    PrintJobSupport.cpp
    PrintSymbolPage.cpp
    PrintWheelPage.cpp
    WheelPageBoxes.cpp
)
target_include_directories(kyr_print_jobs PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kyr_print_jobs PUBLIC
    kyr_print_engine kyr_interp kyr_names_core kyr_wheel kyr_meters kyr_table_rows kyr_tables
    kyr_quickhelp kyr_settings kyr_store kyr_language kyr_chart Qt6::Widgets Qt6::PrintSupport)
