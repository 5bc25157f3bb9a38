# Window tests of the outputs folder (offscreen): the three output dialogs with the scripted
# Interaction, the output test drivers and the simulation driver.
if(QTL_BUILD_GUI)
    qtl_add_test(test_output_dialogs GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/output_dialogs_test.cpp
        LIBS qtlgui qtl_gui_testkit)
    qtl_outputs_test_drivers(test_output_dialogs)
endif()
