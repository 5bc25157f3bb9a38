# Formulas with up to 7 parameter letters and the evaluator over an array (model formulas).
qtl_add_test(formula_wide_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/formula_wide_test.cpp
    LIBS qtlcore)
