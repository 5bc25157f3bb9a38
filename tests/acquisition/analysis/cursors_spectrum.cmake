# Graph cursor readouts and the amplitude spectrum.
qtl_add_test(test_analysis_cursors_spectrum
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/cursor_readout_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/spectrum_test.cpp
    LIBS qtlanalysis)
