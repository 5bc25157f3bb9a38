# The program's icon.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/program_icon.h
        ${CMAKE_CURRENT_LIST_DIR}/program_icon.cpp)
endif()
