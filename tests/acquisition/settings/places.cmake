# The program's places, computed for a build tree and for an installed program.
qtl_add_test(test_program_places
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_places_test.cpp
    LIBS qtlcore)
target_compile_definitions(test_program_places PRIVATE ${QTL_PLACES_DEFINITIONS})
