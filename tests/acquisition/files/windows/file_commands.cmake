# The data file commands of the graph and main windows, driven through the scripted user.
qtl_add_test(test_files_windows GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_commands_test.cpp
    LIBS qtlgui qtl_gui_testkit)
