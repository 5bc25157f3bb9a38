# The axis, style and title dialog.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/udcadrages10.cpp
    ${CMAKE_CURRENT_LIST_DIR}/udcadrages10.h)
