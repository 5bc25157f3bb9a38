# The channel dialog, its menu entries and the settings file commands, offscreen with a
# scripted user; the test drivers come from the core tests' folder.
qtl_add_test(test_channel_dialog GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/channel_dialog_test.cpp
    LIBS qtlgui qtl_gui_testkit)
target_compile_definitions(test_channel_dialog PRIVATE ${_qtl_td_paths})
add_dependencies(test_channel_dialog qtl_test_driver_complete qtl_test_driver_no_ead
    qtl_test_driver_no_detail)
