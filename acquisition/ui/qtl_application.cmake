# The application object with the event-level error handler.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/qtl_application.h
        ${CMAKE_CURRENT_LIST_DIR}/qtl_application.cpp)
endif()
