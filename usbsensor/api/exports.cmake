target_sources(vornik_api PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vornik_exports.cpp)
