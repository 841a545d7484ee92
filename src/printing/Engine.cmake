# The print engine: the line breaker and the chapter titles without windows (kyr_print_core),
# and on top the engine with its page model, the page-layout dialog and the test page.
add_library(kyr_print_core STATIC
    KyrTranslation.cpp
    LineBreaker.cpp
)
target_include_directories(kyr_print_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kyr_print_core PUBLIC kyr_language)

find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
add_library(kyr_print_engine STATIC
    KyrPrinter.cpp
    PageDecor.cpp
    PageDlg.cpp
    PrintBlocks.cpp
    PrintFlow.cpp
    PrintFonts.cpp
    PrintLayout.cpp
    TestPage.cpp
)
set_target_properties(kyr_print_engine PROPERTIES AUTOMOC ON)
target_include_directories(kyr_print_engine PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kyr_print_engine PUBLIC
    kyr_print_core kyr_settings kyr_store kyr_language kyr_language_qt kyr_meters
    Qt6::Widgets Qt6::PrintSupport)
