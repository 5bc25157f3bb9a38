# The main window with its command table, the long-lived windows, start-up and the
# screenshot mode.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Main13.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Main13.h
    ${CMAKE_CURRENT_LIST_DIR}/main_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_commands.h
    ${CMAKE_CURRENT_LIST_DIR}/program_windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_windows.h
    ${CMAKE_CURRENT_LIST_DIR}/screenshots.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screenshots.h
    ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup.h)
