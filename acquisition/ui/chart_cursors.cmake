# The chart's crosshair and measuring cursors.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/chart_cursors.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chart_cursors.h)
endif()
