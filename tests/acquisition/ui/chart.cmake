# Tests of the chart adapter (offscreen).
if(QTL_BUILD_GUI)
    qtl_add_test(test_chart GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart_test.cpp
        LIBS qtlgui qtl_gui_testkit)
endif()
