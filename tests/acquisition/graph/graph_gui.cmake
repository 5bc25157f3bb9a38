# Window tests of the graph folder (offscreen): the graph window and the axis dialog.
if(QTL_BUILD_GUI)
    qtl_add_test(test_graph_windows GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_window_test.cpp
                ${CMAKE_CURRENT_LIST_DIR}/framing_dialog_test.cpp
        LIBS qtlgui qtl_gui_testkit)
endif()
