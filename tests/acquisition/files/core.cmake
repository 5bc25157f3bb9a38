# Core tests of the files folder: the data file writer and readers.
qtl_add_test(test_files_core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/data_file_writer_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/data_file_reader_test.cpp
    LIBS qtlcore)
