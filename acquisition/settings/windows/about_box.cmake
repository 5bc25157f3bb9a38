# The "A propos" box.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/about10.cpp
    ${CMAKE_CURRENT_LIST_DIR}/about10.h)
