# The graph window, its command table and the axis dialog.
qtl_add_test(test_graph_windows GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_window_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/framing_dialog_test.cpp
    LIBS qtlgui qtl_gui_testkit)
