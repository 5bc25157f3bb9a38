# The three output dialogs (Qt): logic outputs, fixed analog outputs, variable analog output.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/windows/output_file_dialog.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/output_file_dialog.h
        ${CMAKE_CURRENT_LIST_DIR}/windows/udmatsf.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/udmatsf.h
        ${CMAKE_CURRENT_LIST_DIR}/windows/udmatsl.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/udmatsl.h
        ${CMAKE_CURRENT_LIST_DIR}/windows/udmatsv.cpp
        ${CMAKE_CURRENT_LIST_DIR}/windows/udmatsv.h)
endif()
