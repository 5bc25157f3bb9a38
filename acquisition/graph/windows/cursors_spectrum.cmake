# The graph window's crosshair and measuring cursors commands and the spectrum window.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/cursor_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cursor_commands.h
    ${CMAKE_CURRENT_LIST_DIR}/cursors_spectrum_example.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cursors_spectrum_example.h
    ${CMAKE_CURRENT_LIST_DIR}/spectrum_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spectrum_window.h)
