# The user guide opened from the program (F1 and the dialogs' help buttons).
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/user_guide.h
        ${CMAKE_CURRENT_LIST_DIR}/user_guide.cpp)
endif()
