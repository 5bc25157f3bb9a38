# Main window, live readout, big digits, timing dialog and start-up: core tests (readout
# texts, memo lines, layouts) and window tests run offscreen.
qtl_add_test(test_readout_core
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/core_parts_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/live_readout_test.cpp
    LIBS qtlcore)
target_compile_definitions(test_readout_core PRIVATE
    QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
add_dependencies(test_readout_core simulation)

if(QTL_BUILD_GUI)
    qtl_add_test(test_main_window GUI
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/main_window_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/windows_test.cpp
        LIBS qtlgui qtl_gui_testkit)
    target_compile_definitions(test_main_window PRIVATE
        QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
    add_dependencies(test_main_window simulation)
endif()
