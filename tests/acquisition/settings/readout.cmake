# Core pieces of the live readout and start-up: readout texts, memo lines, layouts.
qtl_add_test(test_readout_core
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/big_digits_layout_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/memo_line_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/startup_config_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/live_readout_test.cpp
    LIBS qtlcore)
target_compile_definitions(test_readout_core PRIVATE
    QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
add_dependencies(test_readout_core simulation)
