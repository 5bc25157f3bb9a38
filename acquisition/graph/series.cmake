# Core part of the graph folder: the series model of a graph window, its axes, its set-up from
# the settings and the axis dialog's values (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/acquisition_host.h
    ${CMAKE_CURRENT_LIST_DIR}/acquisition_state.h
    ${CMAKE_CURRENT_LIST_DIR}/data_series.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_series.h
    ${CMAKE_CURRENT_LIST_DIR}/framing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framing.h
    ${CMAKE_CURRENT_LIST_DIR}/graph_axis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graph_axis.h
    ${CMAKE_CURRENT_LIST_DIR}/graph_model.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graph_model.h
    ${CMAKE_CURRENT_LIST_DIR}/graph_setup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graph_setup.h
    ${CMAKE_CURRENT_LIST_DIR}/graph_views.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graph_views.h
)
