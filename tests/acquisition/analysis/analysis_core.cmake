# Core tests of the analysis library.
qtl_add_test(test_analysis_core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/interpolation_test.cpp
    LIBS qtlanalysis)
