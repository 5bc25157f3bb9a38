# Qt part of the files folder: the dialogs and handlers of the data file commands.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/windows/data_file_dialogs.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/data_file_dialogs.h
        ${CMAKE_CURRENT_LIST_DIR}/windows/graph_file_commands.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/graph_file_commands.h)
endif()
