# The three output dialogs and their menu entries, with the scripted Interaction, the output
# test drivers and the simulation driver.
qtl_add_test(test_output_dialogs GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/output_dialogs_test.cpp
    LIBS qtlgui qtl_gui_testkit)
qtl_outputs_test_drivers(test_output_dialogs)
