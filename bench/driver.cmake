# Reading a channel through the wrapper against calling the driver's function directly.
if(TARGET simulation)
    qtl_add_bench(bench_driver_read SOURCES ${CMAKE_CURRENT_LIST_DIR}/driver_read_bench.cpp
                  LIBS qtlcore)
    target_compile_definitions(bench_driver_read PRIVATE
        QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
    add_dependencies(bench_driver_read simulation)
endif()
