# The graph window's copy, print and picture commands, driven through its menu.
qtl_add_test(test_graph_export GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_commands_test.cpp
    LIBS qtlgui qtl_gui_testkit)
