# Graph window series and chart: a million appended points, burst blocks, large redraws.
if(QTL_BUILD_GUI)
    qtl_add_bench(bench_graph SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_bench.cpp LIBS qtlgui)
endif()
