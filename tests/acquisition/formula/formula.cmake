# Formula language: guarded arithmetic, error facility, compiler and evaluators.
qtl_add_test(formula_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/error_facility_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/guarded_arithmetic_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/formula_builder_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/formula_eval_test.cpp
    LIBS qtlcore)
