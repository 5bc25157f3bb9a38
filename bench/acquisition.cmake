# The acquisition engine's bursts against bare loops; the timed regime against the real clock.
qtl_add_bench(bench_acquisition SOURCES ${CMAKE_CURRENT_LIST_DIR}/acquisition_bench.cpp
              LIBS qtlcore)
