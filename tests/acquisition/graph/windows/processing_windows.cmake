# The processing commands run from the graph window's menus (offscreen, scripted user).
qtl_add_test(test_graph_processing_windows GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/processing_window_test.cpp
    LIBS qtlgui qtl_gui_testkit)
