# The settings file reader on arbitrary bytes.
qtl_add_fuzzer(fuzz_settings_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_settings_file.cpp
    LIBS qtlcore)
