# Formula evaluation and compilation against muparser, fparser and plain C++.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(MUPARSER QUIET IMPORTED_TARGET muparser)
endif()
find_library(FPARSER_LIBRARY fparser)
find_path(FPARSER_INCLUDE_DIR fparser.hh)
if(TARGET PkgConfig::MUPARSER AND FPARSER_LIBRARY AND FPARSER_INCLUDE_DIR)
    qtl_add_bench(bench_formula SOURCES ${CMAKE_CURRENT_LIST_DIR}/formula_bench.cpp
                  LIBS qtlcore PkgConfig::MUPARSER ${FPARSER_LIBRARY})
    target_include_directories(bench_formula PRIVATE ${FPARSER_INCLUDE_DIR})
else()
    message(STATUS "bench_formula skipped: muparser or fparser not found")
endif()
