# The timing dialog and the conversion of its choice into settings fields.
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/timing_choice.h
    ${CMAKE_CURRENT_LIST_DIR}/timing_choice.cpp)
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/udtemps10.h
        ${CMAKE_CURRENT_LIST_DIR}/udtemps10.cpp)
endif()
