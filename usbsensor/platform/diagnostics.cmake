# The diagnostic log (VORNIK_DEBUG), used from every layer of the library.
target_sources(vornikbase PRIVATE ${CMAKE_CURRENT_LIST_DIR}/diagnostics.cpp)
