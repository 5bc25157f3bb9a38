# Qt part of the files folder: the dialogs of the data file commands.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/windows/data_file_dialogs.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/data_file_dialogs.h)
endif()
