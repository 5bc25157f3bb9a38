# Curve fitting: models, starting values, the least-squares fit and the result's text.
target_sources(qtlanalysis PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/curve_fit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/curve_fit.h
    ${CMAKE_CURRENT_LIST_DIR}/fit_model.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_report.h
    ${CMAKE_CURRENT_LIST_DIR}/fit_model.h
    ${CMAKE_CURRENT_LIST_DIR}/fit_start.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fit_start.h)
