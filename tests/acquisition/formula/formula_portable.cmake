# The formula tests once more against the standard C++ evaluator (no computed goto): the formula
# sources of qtlcore compiled again into the test with QTL_FORMULA_PORTABLE; the rest of qtlcore
# comes from the library.
get_target_property(_qtl_core_sources qtlcore SOURCES)
list(FILTER _qtl_core_sources INCLUDE REGEX "/acquisition/formula/[^/]+\\.cpp$")
get_target_property(_qtl_formula_tests formula_tests SOURCES)
qtl_add_test(formula_portable_tests SOURCES ${_qtl_formula_tests} ${_qtl_core_sources} LIBS qtlcore)
target_compile_definitions(formula_portable_tests PRIVATE QTL_FORMULA_PORTABLE)
