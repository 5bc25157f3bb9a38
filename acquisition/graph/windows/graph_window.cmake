# The graph window with its command table, and the list of graph windows.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/graph_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graph_commands.h
    ${CMAKE_CURRENT_LIST_DIR}/graph_windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/graph_windows.h
    ${CMAKE_CURRENT_LIST_DIR}/urepere13.cpp
    ${CMAKE_CURRENT_LIST_DIR}/urepere13.h)
