# The acquisition engine's bursts against bare loops; the timed regime against the real clock.
qtl_add_bench(bench_acquisition SOURCES ${CMAKE_CURRENT_LIST_DIR}/acquisition_bench.cpp
              LIBS qtlcore)
if(QTL_BUILD_GUI AND TARGET simulation)
    qtl_add_bench(bench_acquisition_window
                  SOURCES ${CMAKE_CURRENT_LIST_DIR}/acquisition_window_bench.cpp LIBS qtlgui)
    target_compile_definitions(bench_acquisition_window PRIVATE
        QTL_SIMULATION_DRIVER="$<TARGET_FILE:simulation>")
    add_dependencies(bench_acquisition_window simulation)
endif()
