# Formula language core: guarded arithmetic, error facility, compiler and evaluators.
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/error_facility.cpp
    ${CMAKE_CURRENT_LIST_DIR}/error_facility.h
    ${CMAKE_CURRENT_LIST_DIR}/guarded_arithmetic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/guarded_arithmetic.h
    ${CMAKE_CURRENT_LIST_DIR}/guarded_core.h
    ${CMAKE_CURRENT_LIST_DIR}/formula.cpp
    ${CMAKE_CURRENT_LIST_DIR}/formula.h
    ${CMAKE_CURRENT_LIST_DIR}/formula_builder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/formula_builder.h
    ${CMAKE_CURRENT_LIST_DIR}/formula_eval.cpp
    ${CMAKE_CURRENT_LIST_DIR}/formula_program.cpp
    ${CMAKE_CURRENT_LIST_DIR}/formula_program.h
)
if(QTL_FORMULA_PORTABLE)
    target_compile_definitions(qtlcore PUBLIC QTL_FORMULA_PORTABLE)
endif()
