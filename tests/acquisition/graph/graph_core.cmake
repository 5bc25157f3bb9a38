# Core tests of the graph folder: series, axes, window set-up and the axis dialog's values.
qtl_add_test(test_graph_core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/data_series_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/graph_model_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/framing_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/graph_views_test.cpp
    LIBS qtlcore)
