# Graph cursor readouts and the amplitude spectrum.
target_sources(qtlanalysis PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/cursor_readout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cursor_readout.h
    ${CMAKE_CURRENT_LIST_DIR}/spectrum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spectrum.h)
