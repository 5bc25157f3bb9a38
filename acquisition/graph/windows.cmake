# Qt part of the graph folder: the graph window, the axis dialog and the list of windows.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/graph_windows.cpp
        ${CMAKE_CURRENT_LIST_DIR}/graph_windows.h
        ${CMAKE_CURRENT_LIST_DIR}/udcadrages10.cpp
        ${CMAKE_CURRENT_LIST_DIR}/udcadrages10.h
        ${CMAKE_CURRENT_LIST_DIR}/urepere13.cpp
        ${CMAKE_CURRENT_LIST_DIR}/urepere13.h)
endif()
