# The acquisition from the main menu to the graph window, with the simulation driver.
qtl_add_test(test_acquisition_window GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/acquisition_window_test.cpp
    LIBS qtlgui qtl_gui_testkit)
target_compile_definitions(test_acquisition_window PRIVATE
    QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
add_dependencies(test_acquisition_window simulation)
