# Main window, its command table, the long-lived windows and start-up.
qtl_add_test(test_main_window GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/main_window_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows_test.cpp
    LIBS qtlgui qtl_gui_testkit)
target_compile_definitions(test_main_window PRIVATE
    QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
add_dependencies(test_main_window simulation)
