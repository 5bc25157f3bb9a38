# The settings file: value rules, writer, reader with real driver libraries, safe saving.
# Uses the test drivers that core.cmake builds.
qtl_add_test(test_settings_file
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/settings_file_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/settings_values_test.cpp
    LIBS qtlcore)
target_compile_definitions(test_settings_file PRIVATE ${_qtl_td_paths})
add_dependencies(test_settings_file qtl_test_driver_complete qtl_test_driver_no_ead
    qtl_test_driver_no_detail qtl_test_driver_outputs)
target_compile_definitions(test_settings_file PRIVATE
    QTL_DEMO_SETTINGS="${QTL_PILOTES_DIR}/demo.cfg")
add_dependencies(test_settings_file simulation)
