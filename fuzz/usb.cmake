# USB sensor library: data sheet parser and stream frame parser.
if(QTL_BUILD_USB)
    qtl_add_fuzzer(fuzz_datasheet SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_datasheet.cpp LIBS vornikcore)
    qtl_add_fuzzer(fuzz_frames SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_frames.cpp LIBS vornikcore)
endif()
