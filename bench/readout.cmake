# One live readout tick with three active channels (core texts and the main window's tick).
if(TARGET simulation AND QTL_BUILD_GUI)
    qtl_add_bench(bench_readout SOURCES ${CMAKE_CURRENT_LIST_DIR}/readout_bench.cpp LIBS qtlgui)
    target_compile_definitions(bench_readout PRIVATE
        QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
    add_dependencies(bench_readout simulation)
endif()
