# The big digits window.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ugroschiffres.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ugroschiffres.h)
