# Core part of the outputs folder: the outputs state, the operations of the three output
# dialogs on it and the variable output's update (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/fixed_outputs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fixed_outputs.h
    ${CMAKE_CURRENT_LIST_DIR}/logic_outputs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/logic_outputs.h
    ${CMAKE_CURRENT_LIST_DIR}/outputs_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/outputs_state.h
    ${CMAKE_CURRENT_LIST_DIR}/variable_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/variable_output.h)
