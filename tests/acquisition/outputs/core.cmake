# Core tests of the outputs folder: the dialogs' operations on the outputs state and the
# variable output, against the output test drivers and the simulation driver.
include(${CMAKE_CURRENT_LIST_DIR}/drivers/output_drivers.cmake)
qtl_add_test(test_outputs_core
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/fixed_outputs_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/logic_outputs_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/variable_output_test.cpp
    LIBS qtlcore)
qtl_outputs_test_drivers(test_outputs_core)
