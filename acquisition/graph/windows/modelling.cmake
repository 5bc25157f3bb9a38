# "modéliser…": the modelling dialog of the graph window.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/modelling_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modelling_dialog.h)
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/modelling_screenshot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modelling_screenshot.h)
