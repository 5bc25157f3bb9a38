# The main window, the big digits window and the about box, with the core pieces they show:
# readout texts, memo lines, the big digits layout and the start-up settings file choice.
target_sources(qtlcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/big_digits_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/big_digits_layout.h
    ${CMAKE_CURRENT_LIST_DIR}/live_readout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/live_readout.h
    ${CMAKE_CURRENT_LIST_DIR}/memo_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memo_line.h
    ${CMAKE_CURRENT_LIST_DIR}/startup_config.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_config.h)
if(QTL_BUILD_GUI)
    target_sources(qtlgui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/about10.cpp
        ${CMAKE_CURRENT_LIST_DIR}/about10.h
        ${CMAKE_CURRENT_LIST_DIR}/Main13.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Main13.h
        ${CMAKE_CURRENT_LIST_DIR}/program_windows.cpp
        ${CMAKE_CURRENT_LIST_DIR}/program_windows.h
        ${CMAKE_CURRENT_LIST_DIR}/screenshots.cpp
        ${CMAKE_CURRENT_LIST_DIR}/screenshots.h
        ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
        ${CMAKE_CURRENT_LIST_DIR}/startup.h
        ${CMAKE_CURRENT_LIST_DIR}/ugroschiffres.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ugroschiffres.h)
endif()
