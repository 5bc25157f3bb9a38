# The timing dialog.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/udtemps10.cpp
    ${CMAKE_CURRENT_LIST_DIR}/udtemps10.h)
