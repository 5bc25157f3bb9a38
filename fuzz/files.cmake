# The data file readers on arbitrary bytes.
qtl_add_fuzzer(fuzz_data_files SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_data_files.cpp LIBS qtlcore)
