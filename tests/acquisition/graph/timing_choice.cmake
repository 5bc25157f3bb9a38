# The timing choice and the bounds of the timing values.
qtl_add_test(test_timing_choice
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/timing_choice_test.cpp
    LIBS qtlcore)
