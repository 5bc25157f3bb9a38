# Sample ring and stream frame parser (no interface needed).
qtl_add_test(usb_stream_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/sample_ring_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/frame_parser_test.cpp
    LIBS vornikcore)
