# The three output dialogs (logic outputs, fixed analog outputs, variable analog output),
# their shared file dialog and the main window's commands that open them.
target_sources(qtlgui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/named_button.cpp
    ${CMAKE_CURRENT_LIST_DIR}/named_button.h
    ${CMAKE_CURRENT_LIST_DIR}/output_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/output_commands.h
    ${CMAKE_CURRENT_LIST_DIR}/output_file_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/output_file_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/udmatsf.cpp
    ${CMAKE_CURRENT_LIST_DIR}/udmatsf.h
    ${CMAKE_CURRENT_LIST_DIR}/udmatsl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/udmatsl.h
    ${CMAKE_CURRENT_LIST_DIR}/udmatsv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/udmatsv.h)
