# Curve fitting: accuracy of every model, failure cases, the result's text.
qtl_add_test(test_analysis_fitting
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/curve_fit_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/fit_failures_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/fit_report_test.cpp
    LIBS qtlanalysis)
