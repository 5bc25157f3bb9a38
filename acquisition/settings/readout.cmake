# Core pieces of the live readout and of start-up: readout texts, memo lines, the big digits
# layout and the start-up settings file choice (no Qt).
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/big_digits_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/big_digits_layout.h
    ${CMAKE_CURRENT_LIST_DIR}/live_readout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/live_readout.h
    ${CMAKE_CURRENT_LIST_DIR}/memo_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memo_line.h
    ${CMAKE_CURRENT_LIST_DIR}/startup_config.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_config.h)
