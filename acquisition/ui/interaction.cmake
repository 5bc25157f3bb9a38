# The Interaction seam and its Qt implementation.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/interaction.h
        ${CMAKE_CURRENT_LIST_DIR}/qt_interaction.h
        ${CMAKE_CURRENT_LIST_DIR}/qt_interaction.cpp)
endif()
