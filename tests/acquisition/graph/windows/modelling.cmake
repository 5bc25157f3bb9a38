# "modéliser…" from the graph window's menu, answered by the scripted interaction.
qtl_add_test(test_graph_modelling GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/modelling_dialog_test.cpp
    LIBS qtlgui qtl_gui_testkit)
