# The Interaction seam (Qt and scripted) and the event-level error handler.
if(QTL_BUILD_GUI)
    qtl_add_test(test_ui_interaction GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/interaction_test.cpp
        LIBS qtlgui qtl_gui_testkit)
endif()
