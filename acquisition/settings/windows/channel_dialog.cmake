# The channel driver dialog and the main window's settings file commands.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/settings_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_commands.h
    ${CMAKE_CURRENT_LIST_DIR}/udmatp10.cpp
    ${CMAKE_CURRENT_LIST_DIR}/udmatp10.h)
