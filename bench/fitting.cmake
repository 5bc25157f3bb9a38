# Curve fitting: one fit of each model on 10,000 noisy points.
if(TARGET qtlanalysis)
    qtl_add_bench(bench_fitting SOURCES ${CMAKE_CURRENT_LIST_DIR}/fitting_bench.cpp
                  LIBS qtlanalysis)
endif()
