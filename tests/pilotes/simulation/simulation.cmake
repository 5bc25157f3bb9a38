# The simulation driver loaded through the driver contract, as the program loads it.
qtl_add_test(test_simulation_driver
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/simulation_driver_test.cpp
    LIBS qtlcore)
target_compile_definitions(test_simulation_driver PRIVATE
    QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
add_dependencies(test_simulation_driver simulation)
