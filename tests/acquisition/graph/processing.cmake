# Core tests of the processing commands: statistics, transformation, smoothing, derivative,
# integral and their command table.
qtl_add_test(test_graph_processing
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/processing_series_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/processing_transform_test.cpp
    LIBS qtlcore)
