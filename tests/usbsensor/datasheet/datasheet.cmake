# Data sheet cursor, parser and builder.
qtl_add_test(usb_datasheet_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/datasheet_cursor_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/datasheet_parser_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/datasheet_extension_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/datasheet_reader_test.cpp
    LIBS vornikcore)
