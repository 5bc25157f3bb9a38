# Formula language: compile arbitrary texts, evaluate with arbitrary values.
qtl_add_fuzzer(fuzz_formula SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_formula.cpp LIBS qtlcore)
