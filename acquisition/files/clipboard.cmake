# Clipboard text of a graph window (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/clipboard_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clipboard_text.h)
