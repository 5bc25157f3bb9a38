# The Windows-1252 codec and the field helpers on arbitrary bytes.
qtl_add_fuzzer(fuzz_text SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_text.cpp LIBS qtlcore)
