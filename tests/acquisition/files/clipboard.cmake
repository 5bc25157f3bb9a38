# Core tests of the clipboard text.
qtl_add_test(test_clipboard_text
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipboard_text_test.cpp
    LIBS qtlcore)
