# Processing commands of a graph window on large series: linear time, and the transformation
# against the formula evaluations it needs.
qtl_add_bench(bench_processing SOURCES ${CMAKE_CURRENT_LIST_DIR}/processing_bench.cpp LIBS qtlcore)
