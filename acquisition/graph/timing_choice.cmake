# The conversion of the timing dialog's choice into settings fields (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/timing_choice.h
    ${CMAKE_CURRENT_LIST_DIR}/timing_choice.cpp)
