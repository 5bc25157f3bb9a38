# The graph window's copy, print and picture commands.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/export_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/export_commands.h)
