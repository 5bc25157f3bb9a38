# Amplitude spectrum of a million points: even, uneven and prime counts.
if(TARGET qtlanalysis)
    qtl_add_bench(bench_spectrum SOURCES ${CMAKE_CURRENT_LIST_DIR}/spectrum_bench.cpp LIBS qtlanalysis)
endif()
