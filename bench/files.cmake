# Data files: a million-row four-column ".TAB" file read and written, beside plain loops.
qtl_add_bench(bench_files SOURCES ${CMAKE_CURRENT_LIST_DIR}/files_bench.cpp LIBS qtlcore)
