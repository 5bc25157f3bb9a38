# The adapter to the windowing toolkit: the Interaction seam and the event-level error handler.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/interaction.h
        ${CMAKE_CURRENT_LIST_DIR}/qt_interaction.h
        ${CMAKE_CURRENT_LIST_DIR}/qt_interaction.cpp)
endif()
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/qtl_application.h
        ${CMAKE_CURRENT_LIST_DIR}/qtl_application.cpp)
endif()
