# The chart adapter: draws a graph window's series model with QCustomPlot.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/chart.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chart.h)
endif()
