# Temporary window until the banner window lands; remove this part then.
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/placeholder_window.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/placeholder_window.h)
endif()
