# Core part of the graph folder: the processing commands over a window's series (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/processing_calculus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processing_calculus.h
    ${CMAKE_CURRENT_LIST_DIR}/processing_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processing_commands.h
    ${CMAKE_CURRENT_LIST_DIR}/processing_smoothing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processing_smoothing.h
    ${CMAKE_CURRENT_LIST_DIR}/processing_statistics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processing_statistics.h
    ${CMAKE_CURRENT_LIST_DIR}/processing_transform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processing_transform.h
)
