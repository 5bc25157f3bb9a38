#Core tests of the acquisition engine : timed steps, bursts, start commands and the memo file.
qtl_add_test(test_acquisition_engine SOURCES ${CMAKE_CURRENT_LIST_DIR} /
             timed_acquisition_test.cpp ${CMAKE_CURRENT_LIST_DIR} /
             burst_test.cpp ${CMAKE_CURRENT_LIST_DIR} / start_commands_test.cpp LIBS qtlcore)
qtl_add_test(test_series_summary
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/series_summary_test.cpp
    LIBS qtlcore)
