# Core tests of the outputs folder, against the output test drivers and the simulation driver.
include(${CMAKE_CURRENT_LIST_DIR}/drivers/output_drivers.cmake)
qtl_add_test(test_outputs_core SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs_core_test.cpp LIBS qtlcore)
qtl_outputs_test_drivers(test_outputs_core)
