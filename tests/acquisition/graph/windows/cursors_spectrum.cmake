# The graph window's crosshair, measuring cursors and spectrum window, driven as the user does.
qtl_add_test(test_graph_cursors_spectrum GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/cursors_spectrum_test.cpp
    LIBS qtlgui qtl_gui_testkit)
