# The print dialogs: the interpretation print dialog (which owns the printer's chart, wheel,
# meter and interpretation), the wheel-page editor, the book-excerpt picker and the progress
# dialog every job runs in.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
add_library(kyr_print_dialogs STATIC
    PBookDlg.cpp
    PIntDlg.cpp
    PWhlDlg.cpp
    PrintProgress.cpp
    WheelPageEditor.cpp
)
set_target_properties(kyr_print_dialogs PROPERTIES AUTOMOC ON)
target_include_directories(kyr_print_dialogs PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kyr_print_dialogs PUBLIC
    kyr_print_jobs kyr_print_engine kyr_names kyr_names_search kyr_orbs kyr_meters kyr_interp
    kyr_interp_store kyr_wheel kyr_settings kyr_store kyr_language_qt kyr_chart
    Qt6::Widgets Qt6::PrintSupport)
