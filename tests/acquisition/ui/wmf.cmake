# The metafile device and, when libwmf's converter is installed, a reading by another program.
if(QTL_BUILD_GUI)
    add_library(qtl_wmf_reading STATIC ${CMAKE_CURRENT_LIST_DIR}/wmf_reading.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/wmf_reading.h)
    target_include_directories(qtl_wmf_reading PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(qtl_wmf_reading PUBLIC Qt6::Core PRIVATE qtl_warnings)
    qtl_add_test(test_wmf GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/wmf_test.cpp
        LIBS qtlgui qtl_gui_testkit qtl_wmf_reading)
endif()
if(QTL_BUILD_GUI)
    qtl_add_test(test_chart_export GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart_export_test.cpp
        LIBS qtlgui qtl_gui_testkit qtl_wmf_reading)
endif()
